// What hosts show for the effect without an editor: parameter names, unit
// labels, value texts, and the plug-in's identity. Host's main thread.
#include <cstring>

#include "ParameterMapping.h"
#include "QOVKelvorn.h"

namespace {

constexpr const char* kNames[kNumParams] = {"InMix",  "Angle",    "W1Delay", "W1Gain", "W1Pitch",
                                            "W2Enable", "W2Delay", "W2Gain",  "W2Pitch"};
constexpr const char* kLabels[kNumParams] = {"dB", "degrees", "ms", "dB", "", "", "ms", "dB", ""};

constexpr VstInt32 kTextLength = kVstMaxParamStrLen;

void copyBounded(char* text, const char* source, std::size_t bound) {
    std::strncpy(text, source, bound);
    text[bound] = 0;
}

}  // namespace

void QOVKelvorn::getParameterName(VstInt32 index, char* text) {
    if (!isParameterIndex(index) || !text) return;
    copyBounded(text, kNames[index], kTextLength);
}

void QOVKelvorn::getParameterLabel(VstInt32 index, char* label) {
    if (!isParameterIndex(index) || !label) return;
    copyBounded(label, kLabels[index], kTextLength);
}

void QOVKelvorn::getParameterDisplay(VstInt32 index, char* text) {
    if (!isParameterIndex(index) || !text) return;
    const float value = getParameter(index);
    switch (index) {
        case kInMix:
            dB2string(dryGain(value), text, kTextLength);
            break;
        case kAngle:
            float2string(angleDegrees(value), text, kTextLength);
            break;
        case kW1Delay:
        case kW2Delay: {
            // The delay is fixed in samples; its length in time follows the host's rate.
            const std::int32_t samples = delayOffset(workLength, value);
            float2string(samplesToMs(samples, getSampleRate()), text, kTextLength);
            break;
        }
        case kW1Gain:
        case kW2Gain:
            dB2string(gainFactor(value), text, kTextLength);
            break;
        case kW1Pitch:
        case kW2Pitch:
            float2string(pitchFactor(value), text, kTextLength);
            break;
        case kW2Enable:
            copyBounded(text, wall2IsOn(value) ? "On" : "Off", kTextLength);
            break;
        default:
            break;
    }
}

bool QOVKelvorn::getEffectName(char* name) {
    if (!name) return false;
    copyBounded(name, "QOV - Kelvorn", kVstMaxEffectNameLen);
    return true;
}

bool QOVKelvorn::getVendorString(char* text) {
    if (!text) return false;
    copyBounded(text, "QOV Technologies", kVstMaxVendorStrLen);
    return true;
}

bool QOVKelvorn::getProductString(char* text) {
    if (!text) return false;
    copyBounded(text, "QOV - Kelvorn", kVstMaxProductStrLen);
    return true;
}

VstInt32 QOVKelvorn::getVendorVersion() { return 1000; }
