#include "HostedPlugin.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "HostCallback.h"
#include "HostError.h"

namespace {

// Plug-ins often write past the documented bounds (8, 24, 64 characters), so
// every text request gets a generous buffer of zeros.
constexpr std::size_t kTextBuffer = 512;

bool allDigits(const std::string& s) {
    return !s.empty() && s.size() < 9 && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

HostedPlugin::HostedPlugin(const LoadedModule& module) : effect(module.createRecord(hostCallback)) {
    dispatch(effOpen);
}

HostedPlugin::~HostedPlugin() {
    if (running) stop();
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

VstIntPtr HostedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string HostedPlugin::text(VstInt32 opcode, VstInt32 index) {
    char buffer[kTextBuffer] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBuffer - 1] = '\0';
    return buffer;
}

PluginIdentity HostedPlugin::identity() {
    PluginIdentity id;
    id.effectName = text(effGetEffectName, 0);
    id.vendor = text(effGetVendorString, 0);
    id.product = text(effGetProductString, 0);
    id.vendorVersion = static_cast<VstInt32>(dispatch(effGetVendorVersion));
    id.vstVersion = static_cast<VstInt32>(dispatch(effGetVstVersion));
    id.category = static_cast<VstInt32>(dispatch(effGetPlugCategory));
    id.uniqueID = effect->uniqueID;
    id.version = effect->version;
    return id;
}

int HostedPlugin::currentProgram() { return static_cast<int>(dispatch(effGetProgram)); }

std::string HostedPlugin::programName(int program) {
    char buffer[kTextBuffer] = {};
    if (dispatch(effGetProgramNameIndexed, program, -1, buffer)) {
        buffer[kTextBuffer - 1] = '\0';
        return buffer;
    }
    // A plug-in that cannot name other programs: visit the program, then
    // return to the one that was current.
    const int current = currentProgram();
    if (program == current) return text(effGetProgramName, 0);
    setProgram(program);
    std::string name = text(effGetProgramName, 0);
    setProgram(current);
    return name;
}

void HostedPlugin::setProgram(int program) {
    dispatch(effBeginSetProgram);
    dispatch(effSetProgram, 0, program);
    dispatch(effEndSetProgram);
}

int HostedPlugin::findProgram(const std::string& numberOrName) {
    const int count = numPrograms();
    if (allDigits(numberOrName)) {
        const int number = std::stoi(numberOrName);
        if (number >= count)
            throw HostError("program " + numberOrName + " does not exist: the plug-in has " +
                            (count > 0 ? "programs 0 to " + std::to_string(count - 1) : std::string("no programs")));
        return number;
    }
    int caseless = -1;
    for (int p = 0; p < count; ++p) {
        const std::string name = programName(p);
        if (name == numberOrName) return p;
        if (caseless < 0 && sameIgnoringCase(name, numberOrName)) caseless = p;
    }
    if (caseless >= 0) return caseless;
    throw HostError("no program named '" + numberOrName + "' (kelvorn info lists them)");
}

std::string HostedPlugin::paramName(int index) { return text(effGetParamName, index); }
std::string HostedPlugin::paramLabel(int index) { return text(effGetParamLabel, index); }
std::string HostedPlugin::paramDisplay(int index) { return text(effGetParamDisplay, index); }

float HostedPlugin::getParameter(int index) {
    return effect->getParameter ? effect->getParameter(effect, index) : 0.0f;
}

void HostedPlugin::setParameter(int index, float value) {
    if (effect->setParameter) effect->setParameter(effect, index, value);
}

int HostedPlugin::findParameter(const std::string& name) {
    int caseless = -1;
    for (int i = 0; i < numParams(); ++i) {
        const std::string candidate = paramName(i);
        if (candidate == name) return i;
        if (caseless < 0 && sameIgnoringCase(candidate, name)) caseless = i;
    }
    if (caseless >= 0) return caseless;
    throw HostError("no parameter named '" + name + "' (kelvorn info lists them)");
}

void HostedPlugin::start(float sampleRate, VstInt32 blockSize) {
    HostState& state = hostState();
    state.sampleRate = sampleRate;
    state.blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    state.processing = true;
    running = true;
}

void HostedPlugin::process(float** inputs, float** outputs, VstInt32 frames) {
    effect->processReplacing(effect, inputs, outputs, frames);
}

void HostedPlugin::stop() {
    hostState().processing = false;
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    running = false;
}
