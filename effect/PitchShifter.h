// PitchShifter: phase-vocoder pitch shifting of a sample stream.
//
// Samples pass through an input FIFO; every frameSize / 32 samples the last
// frameSize samples are windowed, transformed, moved to new bins by the
// factor, resynthesised and overlap-added. The stream comes out frameSize
// samples late. Both walls of one effect share one stage and feed it in
// turn, so its FIFO position runs on across calls and callers.
//
// Results are bit-identical on every processor: the vectorised kernels are
// chosen at construction from what the processor offers.
// All state lives in the object; nothing is allocated after construction.
#pragma once

#include "CpuFeatures.h"
#include "PitchKernels.h"
#include "TransformTables.h"

#include <cstdint>

class PitchShifter {
public:
    static constexpr std::int32_t kMaxFrameSize = 8192;

    // Any thread, before processing. Uses the fastest kernels this processor runs.
    PitchShifter();
    // Any thread, before processing. Uses the kernels of the given level,
    // which simdLevelSupported() must allow.
    explicit PitchShifter(SimdLevel level);

    // Audio thread. Shifts count samples of input by factor into output
    // (the same array or one that does not overlap it). The stream comes out
    // frameSize samples late. frameSize is a power of two from 32 to
    // kMaxFrameSize and the same on every call; factor and sampleRate are
    // greater than 0; input holds finite values.
    void shift(float factor, std::int32_t count, std::int32_t frameSize, float sampleRate,
               const float* input, float* output);

    // Audio thread. Returns the stage to the state it had when it was created.
    void reset();

    SimdLevel simdLevel() const { return level; }

private:
    static constexpr std::int32_t kMaxBins = kMaxFrameSize / 2 + 1;

    void prepare(std::int32_t frameSize);
    void processFrame(float factor, float sampleRate);

    SimdLevel level;
    PitchKernels best;      // kernels of level
    PitchKernels narrow;    // baseline kernels, for frames too small for the best ones
    PitchKernels kernels;   // the set in use for the current frame size
    TransformTables tables;

    std::int32_t fifoPosition = 0;
    alignas(64) float inputFifo[kMaxFrameSize];
    alignas(64) float outputFifo[kMaxFrameSize / 32];
    alignas(64) float spectrumRe[kMaxFrameSize];
    alignas(64) float spectrumIm[kMaxFrameSize];
    alignas(64) float rowRe[kMaxFrameSize];
    alignas(64) float rowIm[kMaxFrameSize];
    alignas(64) float previousPhase[kMaxBins];
    alignas(64) float phaseSum[kMaxBins];
    // frameSize values in use; the step beyond them stays 0.0 and is moved in
    alignas(64) float overlapAccumulator[kMaxFrameSize + kMaxFrameSize / 32];
    alignas(64) float analysisFrequency[kMaxBins];
    alignas(64) float analysisMagnitude[kMaxBins];
    alignas(64) float synthesisMagnitude[kMaxBins];
    alignas(64) float synthesisFrequency[kMaxBins];
};
