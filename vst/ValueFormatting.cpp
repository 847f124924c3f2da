#include "ValueFormatting.h"

#include <cmath>
#include <cstdio>

void copyText(char* text, const char* src, VstInt32 maxLen) {
    if (maxLen < 0) return;
    VstInt32 i = 0;
    for (; i < maxLen && src[i] != 0; ++i) text[i] = src[i];
    text[i] = 0;
}

// Placeholder until the formatting rules land.
void formatFloat(float value, char* text, VstInt32 maxLen) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%f", static_cast<double>(value));
    copyText(text, buf, maxLen);
}

void formatInteger(VstInt32 value, char* text, VstInt32 maxLen) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(value));
    copyText(text, buf, maxLen);
}

float decibelsOf(float gain) { return static_cast<float>(20.0 * static_cast<float>(std::log10(gain))); }
float hertzOf(float samples, float sampleRate) { return samples == 0.0f ? 0.0f : static_cast<float>(sampleRate / samples); }
float millisecondsOf(float samples, float sampleRate) {
    return static_cast<float>(samples * 1000.0 / sampleRate);
}
