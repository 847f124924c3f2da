// Pitch-stage frame kernels for processors with AVX2: four doubles per register.
#include "PitchKernels.h"

#include "SpectralBins.h"

// generic vectors wider than the baseline registers live only inside this file
#pragma GCC diagnostic ignored "-Wpsabi"

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

// (clang has no push_options: the same target attribute is applied to every
// function up to the matching pop)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#define KW 4
#include "PitchKernels.inc"

namespace {
inline vd vsqrt(vd x) {
    return (vd)_mm256_sqrt_pd((__m256d)x);
}
inline vd widen(vf v) {
    return (vd)_mm256_cvtps_pd((__m128)v);
}
inline vf narrow(vd v) {
    return (vf)_mm256_cvtpd_ps((__m256d)v);
}
}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

PitchKernels pitchKernelsAvx2() {
    return {KW,          forwardTransform, analyse,     synthesise,  inverseTransform,
            overlapAdd,  atan2Values,      sinCosValues, kApproxBound};
}

#else

PitchKernels pitchKernelsAvx2() { return pitchKernelsSse2(); }

#endif
