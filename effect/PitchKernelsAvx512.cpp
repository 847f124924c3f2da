// Pitch-stage frame kernels for processors with AVX-512: eight doubles per register.
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
#pragma clang attribute push(__attribute__((target("avx512f,avx512vl,avx512dq,avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512vl,avx512dq,avx2")
#endif

#define KW 8
#include "PitchKernels.inc"

namespace {
inline vd vsqrt(vd x) {
    return (vd)_mm512_maskz_sqrt_pd(0xff, (__m512d)x);
}
inline vd widen(vf v) {
    return (vd)_mm512_maskz_cvtps_pd(0xff, (__m256)v);
}
inline vf narrow(vd v) {
    return (vf)_mm512_maskz_cvtpd_ps(0xff, (__m512d)v);
}
}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

PitchKernels pitchKernelsAvx512() {
    return {KW,          forwardTransform, analyse,     synthesise,  inverseTransform,
            overlapAdd,  atan2Values,      sinCosValues, kApproxBound};
}

#else

PitchKernels pitchKernelsAvx512() { return pitchKernelsSse2(); }

#endif
