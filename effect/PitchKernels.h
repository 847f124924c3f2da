// PitchKernels: the vectorised steps of one pitch-stage frame, one set per
// instruction-set level. Every set gives bit for bit what the step-by-step
// arithmetic gives: the same double operations in the same order (no fused
// multiply-add), and approximations of atan2, sin and cos only where their
// error bound decides every float rounding and phase-wrap decision; every
// other bin goes through SpectralBins.
//
// Audio thread. A set must only be used when simdLevelSupported() says so.
#pragma once

#include "CpuFeatures.h"
#include "SpectralWork.h"

struct PitchKernels {
    std::int32_t rows;  // rows of the permuted layout (doubles per vector)
    // window the input FIFO and transform it: spectrum in re/im, natural order
    void (*forwardTransform)(const SpectralWork&);
    // bins 0..half: magnitudes, true frequencies, previous phases; false on a non-finite value
    bool (*analyse)(const SpectralWork&);
    // bins 0..half: accumulated phases and the spectrum in re/im
    void (*synthesise)(const SpectralWork&);
    // inverse transform of re/im (bins above half zero); real parts in re
    void (*inverseTransform)(const SpectralWork&);
    // adds the windowed real parts to the accumulator; false on a non-finite sum
    bool (*overlapAdd)(const SpectralWork&);
    // the approximations alone, for tests: atan2 of finite non-zero values,
    // sin and cos of |p| <= 3.2; count a multiple of 8
    void (*atan2Values)(const double* y, const double* x, double* out, std::int32_t count);
    void (*sinCosValues)(const double* p, double* s, double* c, std::int32_t count);
    // the error bound the kernels assume for both
    double approximationBound;
};

PitchKernels pitchKernelsSse2();
PitchKernels pitchKernelsAvx2();
PitchKernels pitchKernelsAvx512();
PitchKernels pitchKernelsFor(SimdLevel level);
