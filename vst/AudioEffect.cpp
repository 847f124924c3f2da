#include "AudioEffect.h"

#include <cstring>

#include "ValueFormatting.h"

static_assert(std::atomic<float>::is_always_lock_free);
static_assert(std::atomic<VstInt32>::is_always_lock_free);

namespace {

AudioEffect* owner(AEffect* e) { return static_cast<AudioEffect*>(e->object); }

// The six entries stored in the record. Each finds the object through the
// record's object field and makes one virtual call.
extern "C" {

VstIntPtr dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt) {
    AudioEffect* effect = owner(e);
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;  // the record lives inside the object: it is gone now
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void processClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    owner(e)->process(inputs, outputs, sampleFrames);
}

void setParameterClass(AEffect* e, VstInt32 index, float value) {
    owner(e)->setParameter(index, value);
}

float getParameterClass(AEffect* e, VstInt32 index) { return owner(e)->getParameter(index); }

void processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    owner(e)->processReplacing(inputs, outputs, sampleFrames);
}

void processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                 VstInt32 sampleFrames) {
    owner(e)->processDoubleReplacing(inputs, outputs, sampleFrames);
}

}  // extern "C"

constexpr VstInt32 kDefaultUniqueId = fourCharCode('N', 'o', 'E', 'f');
constexpr VstInt32 kIdentifyAnswer = fourCharCode('N', 'v', 'E', 'f');

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster),
      editor(nullptr),
      sampleRate(44100.0f),
      blockSize(1024),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kDefaultUniqueId;
    cEffect.version = 1;
    cEffect.processReplacing = processClassReplacing;
    cEffect.processDoubleReplacing = processClassDoubleReplacing;
    cEffect.flags = effFlagsCanReplacing;  // replacing processing is mandatory
}

AudioEffect::~AudioEffect() { delete editor; }

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
    // A text request without a buffer is answered 0 and reaches no
    // operation: a host bug must not become a write through null.
    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 0;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
            return 0;
        case effGetProgram:
            return getProgram();
        case effSetProgramName:
            if (ptr) setProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetProgramName:
            if (ptr) getProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetParamLabel:
            if (ptr) getParameterLabel(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamDisplay:
            if (ptr) getParameterDisplay(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamName:
            if (ptr) getParameterName(index, static_cast<char*>(ptr));
            return 0;
        case effSetSampleRate:
            setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            setBlockSize(static_cast<VstInt32>(value));
            return 0;
        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;
        case effEditGetRect:
        case effEditOpen:
        case effEditClose:
        case effEditIdle:
            return dispatchEditor(opcode, ptr);
        case effIdentify:
            return kIdentifyAnswer;
        case effGetChunk:
            return getChunk(static_cast<void**>(ptr), index != 0);
        case effSetChunk:
            return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
        default:  // effGetVu, the drawing and mouse opcodes, and everything unknown
            return 0;
    }
}

VstIntPtr AudioEffect::dispatchEditor(VstInt32 opcode, void* ptr) {
    if (!editor) return 0;
    switch (opcode) {
        case effEditGetRect:
            return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        case effEditOpen:
            return editor->open(ptr) ? 1 : 0;
        case effEditClose:
            editor->close();
            return 0;
        case effEditIdle:
            editor->idle();
            return 0;
        default:
            return 0;
    }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    if (audioMaster) audioMaster(&cEffect, audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion() {
    if (!audioMaster) return 1;
    const auto version = static_cast<VstInt32>(audioMaster(&cEffect, audioMasterVersion, 0, 0, nullptr, 0.0f));
    return version == 0 ? 1 : version;
}

VstInt32 AudioEffect::getCurrentUniqueId() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterCurrentId, 0, 0, nullptr, 0.0f));
}

void AudioEffect::masterIdle() {
    if (audioMaster) audioMaster(&cEffect, audioMasterIdle, 0, 0, nullptr, 0.0f);
}

bool AudioEffect::isInputConnected(VstInt32 input) {
    if (!audioMaster) return true;
    return audioMaster(&cEffect, audioMasterPinConnected, input, 0, nullptr, 0.0f) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
    if (!audioMaster) return true;
    return audioMaster(&cEffect, audioMasterPinConnected, output, 1, nullptr, 0.0f) == 0;
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
    if (value <= 0.0f) {
        copyText(text, "-oo", maxLen);
        return;
    }
    float2string(decibelsOf(value), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    float2string(hertzOf(samples, getSampleRate()), text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    float2string(millisecondsOf(samples, getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) { formatFloat(value, text, maxLen); }

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) { formatInteger(value, text, maxLen); }
