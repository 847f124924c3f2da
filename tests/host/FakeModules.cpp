// Small modules written straight against the binary interface, for testing
// the command-line host against modules that misbehave in each way a host
// must survive, against one that exports only the old name `main`, and
// against one that reports what the host answers it.
// One source, one module per KELVORN_FAKE_* definition.
#include <cstring>

#include "VstInterface.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

#if defined(KELVORN_FAKE_NO_ENTRY)

// A library, but not a plug-in: no entry point under either name.
FAKE_EXPORT int notAPlugin() { return 42; }

#elif defined(KELVORN_FAKE_NULL_RECORD)

// Refuses to create an instance, as a plug-in does that runs out of memory.
FAKE_EXPORT AEffect* VSTPluginMain(audioMasterCallback) { return nullptr; }

#else

namespace {

// "Gain" x4: the default 0.5 doubles the input, which makes clipping easy to
// provoke; program 1 "Unity" passes the input through.
struct Fake {
    AEffect record{};
    audioMasterCallback host = nullptr;
    float gain = 0.5f;
    int program = 0;
};

const char* const kProgramNames[] = {"Double", "Unity"};
const float kProgramGains[] = {0.5f, 0.25f};

Fake* self(AEffect* e) { return static_cast<Fake*>(e->object); }

void copyText(void* ptr, const char* text, std::size_t bound) {
    std::strncpy(static_cast<char*>(ptr), text, bound);
    static_cast<char*>(ptr)[bound] = '\0';
}

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float) {
    Fake* f = self(e);
    switch (opcode) {
        case effClose: delete f; return 1;
        case effSetProgram:
            if (value >= 0 && value < 2) {
                f->program = static_cast<int>(value);
                f->gain = kProgramGains[value];
            }
            return 0;
        case effGetProgram: return f->program;
        case effGetProgramName: copyText(ptr, kProgramNames[f->program], kVstMaxProgNameLen); return 0;
        case effGetProgramNameIndexed:
            if (index < 0 || index >= 2) return 0;
            copyText(ptr, kProgramNames[index], kVstMaxProgNameLen);
            return 1;
        case effGetParamName: if (index == 0) copyText(ptr, "Gain", kVstMaxParamStrLen); return 0;
        case effGetParamLabel: if (index == 0) copyText(ptr, "x", kVstMaxParamStrLen); return 0;
        case effGetParamDisplay: if (index == 0) copyText(ptr, "4*value", kVstMaxParamStrLen); return 0;
        case effGetEffectName: copyText(ptr, "Fake Gain", kVstMaxEffectNameLen); return 1;
        case effGetVstVersion: return 2400;
        default: return 0;
    }
}

void processReplacing(AEffect* e, float** in, float** out, VstInt32 frames) {
#if defined(KELVORN_FAKE_HOST_PROBE)
    // Reports what the host answers while it processes: left the sample rate,
    // right 10 x block size + process level; silence if any other answer is off.
    const audioMasterCallback host = self(e)->host;
    char vendor[65] = {}, product[65] = {};
    host(e, audioMasterGetVendorString, 0, 0, vendor, 0.0f);
    host(e, audioMasterGetProductString, 0, 0, product, 0.0f);
    const bool sane = host(e, audioMasterVersion, 0, 0, nullptr, 0.0f) == 2400 && vendor[0] && product[0] &&
                      host(e, audioMasterCanDo, 0, 0, const_cast<char*>("startStopProcess"), 0.0f) == 1 &&
                      host(e, audioMasterCanDo, 0, 0, const_cast<char*>("sendVstEvents"), 0.0f) != 1;
    const float rate = static_cast<float>(host(e, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f));
    const float block = static_cast<float>(host(e, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f));
    const float level = static_cast<float>(host(e, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f));
    for (VstInt32 i = 0; i < frames; ++i) {
        out[0][i] = sane ? rate : 0.0f;
        out[1][i] = sane ? 10.0f * block + level : 0.0f;
    }
    (void)in;
    return;
#endif
    const float g = 4.0f * self(e)->gain;
#if defined(KELVORN_FAKE_CRASH)
    if (frames > 0) *static_cast<volatile float*>(nullptr) = g;
#endif
    for (VstInt32 i = 0; i < frames; ++i) {
        out[0][i] = g * in[0][i];
        out[1][i] = g * in[1][i];
    }
}

void setParameter(AEffect* e, VstInt32 index, float value) {
    if (index == 0) self(e)->gain = value;
}

float getParameter(AEffect* e, VstInt32 index) { return index == 0 ? self(e)->gain : 0.0f; }

AEffect* create(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    Fake* f = new Fake;
    f->host = host;
    AEffect& r = f->record;
    r.magic = kEffectMagic;
    r.dispatcher = dispatch;
    r.setParameter = setParameter;
    r.getParameter = getParameter;
    r.processReplacing = processReplacing;
    r.numPrograms = 2;
    r.numParams = 1;
    r.numInputs = 2;
    r.numOutputs = 2;
    r.flags = effFlagsCanReplacing;
    r.ioRatio = 1.0f;
    r.object = f;
    r.uniqueID = fourCharCode('F', 'a', 'k', 'G');
    r.version = 1;
    return &r;
}

}  // namespace

// Only the old entry name, which hosts fall back to.
FAKE_EXPORT AEffect* fakeMain(audioMasterCallback host) __asm__("main");
FAKE_EXPORT AEffect* fakeMain(audioMasterCallback host) { return create(host); }

#endif
