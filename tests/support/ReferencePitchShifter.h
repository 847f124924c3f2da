// ReferencePitchShifter: the pitch stage written out step by step, with no
// optimisation, so that the production stage can be proved bit-identical
// to it. It keeps every rounding point of the design: double arithmetic
// between a load and a store, a 32-bit float at every store.
//
// Two mends over the plain design are built in, as in production: the
// accumulated synthesis phase is reduced with remainder() at every frame,
// and a frame that produces a non-finite value returns the stage to its
// initial state (no NaN or infinity is ever converted to an integer).
//
// Test and benchmark thread only; one caller at a time.
#pragma once

#include <cstdint>

class ReferencePitchShifter {
public:
    static constexpr std::int32_t kMaxFrameSize = 8192;

    // Same contract as PitchShifter::shift: input and output may be the same array.
    void shift(float factor, std::int32_t count, std::int32_t frameSize, float sampleRate,
               const float* input, float* output);
    void reset();

    // Radix-2 transform of n interleaved complex values; sign -1 forward, +1 inverse, unscaled.
    static void fftInPlace(float* data, std::int32_t n, std::int32_t sign);

    // How many frames were dropped because they produced a non-finite value.
    std::int64_t nonFiniteResets() const { return resets; }

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
    std::int64_t resets = 0;
};
