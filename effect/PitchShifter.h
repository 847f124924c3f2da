// PitchShifter: phase-vocoder pitch shifting of a sample stream.
//
// Placeholder interface; the real stage replaces it.
#pragma once

#include <cstdint>

class PitchShifter {
public:
    static constexpr std::int32_t kMaxFrameSize = 8192;

    // Audio thread. Shifts count samples of input by factor into output
    // (which may be the same array). The stream comes out frameSize samples late.
    void shift(float factor, std::int32_t count, std::int32_t frameSize, float sampleRate,
               const float* input, float* output);

    // Audio thread. Returns the stage to the state it had when it was created.
    void reset();
};
