#include "PluginHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace {
thread_local RecordingHost* currentHost = nullptr;
}

RecordingHost::RecordingHost() : previous(currentHost) {
    answer = [](const HostCall& call) -> VstIntPtr { return call.opcode == audioMasterVersion ? 2400 : 0; };
    currentHost = this;
}

RecordingHost::~RecordingHost() { currentHost = previous; }

VstIntPtr RecordingHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt) {
    const HostCall call{effect, opcode, index, value, ptr, opt};
    if (!currentHost) return opcode == audioMasterVersion ? 2400 : 0;
    currentHost->calls.push_back(call);
    return currentHost->answer ? currentHost->answer(call) : 0;
}

std::vector<HostCall> RecordingHost::callsWith(VstInt32 opcode) const {
    std::vector<HostCall> found;
    for (const auto& c : calls)
        if (c.opcode == opcode) found.push_back(c);
    return found;
}

PluginModule::PluginModule(const std::string& path) : handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle) throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
}

PluginModule::~PluginModule() {
    if (handle) dlclose(handle);
}

void* PluginModule::symbol(const char* name) const { return dlsym(handle, name); }

VstPluginMainProc PluginModule::entry() const {
    return reinterpret_cast<VstPluginMainProc>(symbol("VSTPluginMain"));
}

PluginInstance::PluginInstance(const PluginModule& module, audioMasterCallback callback)
    : effect(module.entry()(callback)) {
    if (!effect) throw std::runtime_error("the entry point returned no record");
}

PluginInstance::~PluginInstance() {
    if (effect) close();
}

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    char buffer[256];
    std::memset(buffer, 0, sizeof buffer);
    dispatch(opcode, index, value, buffer);
    return std::string(buffer);
}

VstIntPtr PluginInstance::close() {
    const VstIntPtr answer = effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    effect = nullptr;
    return answer;
}

std::string kelvornModulePath() { return KELVORN_MODULE_PATH; }
std::string testModulePath() { return KELVORN_TEST_MODULE_PATH; }
