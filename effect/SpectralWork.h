// SpectralWork: what one frame of the pitch stage works on, handed to the
// frame kernels (vectorised, one set per instruction-set level) and to the
// exact per-bin steps they fall back on. Pointers into the stage's arrays.
//
// Audio thread (inside PitchShifter::shift).
#pragma once

#include <cstdint>

struct SpectralWork {
    std::int32_t n = 0;            // frame size
    std::int32_t half = 0;         // n / 2: bins 0..half are analysed
    std::int32_t rows = 0;         // rows of the permuted layout of the first transform stages
    double binWidth = 0.0;         // sample rate / n
    double expected = 0.0;         // expected phase advance per frame of bin 1
    float factor = 1.0f;
    const double* window = nullptr;         // n Hann window values
    const std::int32_t* rowSource = nullptr; // row-layout position -> natural index feeding it
    const float* twiddleRe[2] = {};          // [0] forward, [1] inverse; stage of distance L at L-1
    const float* twiddleIm[2] = {};
    float* inputFifo = nullptr;
    float* re = nullptr;           // spectrum, natural order, real parts (n)
    float* im = nullptr;           // imaginary parts (n)
    float* rowRe = nullptr;        // transform work space (n each)
    float* rowIm = nullptr;
    float* previousPhase = nullptr;
    float* phaseSum = nullptr;
    float* analysisMagnitude = nullptr;
    float* analysisFrequency = nullptr;
    float* synthesisMagnitude = nullptr;
    float* synthesisFrequency = nullptr;
    float* overlapAccumulator = nullptr;
};
