// EffectProgram: one stored program, nine normalized values and a name.
//
// Threads: the values are written by setParameter/setProgram on whichever
// thread the host uses for them (automation may arrive on the audio thread)
// and read by setProgram, so each is an atomic with relaxed loads and stores.
// The name is read and written only by the host's non-audio thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "EffectParameters.h"
#include "VstInterface.h"

struct EffectProgram {
    EffectProgram();

    // Any thread: the stored value of parameter `index` (0..kNumParams-1).
    std::atomic<float>& value(std::int32_t index) { return this->*kFields[index]; }

    // Main thread: the first 24 characters of text, the rest of the field zero.
    void setName(const char* text) {
        std::size_t i = 0;
        for (; i < sizeof name && text[i] != 0; ++i) name[i] = text[i];
        for (; i < sizeof name; ++i) name[i] = 0;
    }

    std::atomic<float> inMix{1.0f};
    std::atomic<float> angle{0.5f};
    std::atomic<float> w1Delay{0.5f};
    std::atomic<float> w1Gain{0.5f};
    std::atomic<float> w1Pitch{kUnityPitchValue};
    std::atomic<float> w2Enable{0.0f};
    std::atomic<float> w2Delay{0.5f};
    std::atomic<float> w2Gain{0.5f};
    std::atomic<float> w2Pitch{kUnityPitchValue};
    // Up to 24 characters, the rest zero; a 24-character name has no terminator.
    char name[kVstMaxProgNameLen];

private:
    static constexpr std::atomic<float> EffectProgram::*kFields[kNumParams] = {
        &EffectProgram::inMix,   &EffectProgram::angle,    &EffectProgram::w1Delay,
        &EffectProgram::w1Gain,  &EffectProgram::w1Pitch,  &EffectProgram::w2Enable,
        &EffectProgram::w2Delay, &EffectProgram::w2Gain,   &EffectProgram::w2Pitch};
};

inline EffectProgram::EffectProgram() : name{'D', 'e', 'f', 'a', 'u', 'l', 't'} {}
