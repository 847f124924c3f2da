// PitchShifter: phase-vocoder pitch shifting of a sample stream.
//
// Samples pass through an input FIFO; every frameSize / 32 samples the last
// frameSize samples are windowed, transformed, moved to new bins by the
// factor, resynthesised and overlap-added. The stream comes out frameSize
// samples late. Both walls of one effect share one stage and feed it in
// turn, so its FIFO position runs on across calls and callers.
//
// All state lives in the object; nothing is allocated after construction.
#pragma once

#include <cstdint>

class PitchShifter {
public:
    static constexpr std::int32_t kMaxFrameSize = 8192;

    // Audio thread. Shifts count samples of input by factor into output
    // (which may be the same array). The stream comes out frameSize samples late.
    // frameSize is a power of two from 32 to kMaxFrameSize and the same on every call.
    void shift(float factor, std::int32_t count, std::int32_t frameSize, float sampleRate,
               const float* input, float* output);

    // Audio thread. Returns the stage to the state it had when it was created.
    void reset();

private:
    void processFrame(float factor, std::int32_t frameSize, float sampleRate);

    std::int32_t fifoPosition = 0;
    float inputFifo[kMaxFrameSize] = {};
    float outputFifo[kMaxFrameSize] = {};
    float spectrum[2 * kMaxFrameSize] = {};
    float previousPhase[kMaxFrameSize / 2 + 1] = {};
    float phaseSum[kMaxFrameSize / 2 + 1] = {};
    float overlapAccumulator[2 * kMaxFrameSize] = {};
    float analysisFrequency[kMaxFrameSize] = {};
    float analysisMagnitude[kMaxFrameSize] = {};
    float synthesisMagnitude[kMaxFrameSize] = {};
    float synthesisFrequency[kMaxFrameSize] = {};
};
