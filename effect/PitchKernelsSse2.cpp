// Pitch-stage frame kernels for the baseline of every x86-64 processor (and of the 32-bit build): four doubles as two SSE2 registers.
#include "PitchKernels.h"

#include "SpectralBins.h"

// generic vectors wider than the baseline registers live only inside this file
#pragma GCC diagnostic ignored "-Wpsabi"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <emmintrin.h>

#define KW 4
#include "PitchKernels.inc"

namespace {
inline vd vsqrt(vd x) {
    __m128d low, high;
    std::memcpy(&low, &x, sizeof low);
    std::memcpy(&high, reinterpret_cast<const char*>(&x) + sizeof low, sizeof high);
    low = _mm_sqrt_pd(low);
    high = _mm_sqrt_pd(high);
    vd r;
    std::memcpy(&r, &low, sizeof low);
    std::memcpy(reinterpret_cast<char*>(&r) + sizeof low, &high, sizeof high);
    return r;
}
inline vd widen(vf v) {
    return __builtin_convertvector(v, vd);
}
inline vf narrow(vd v) {
    return __builtin_convertvector(v, vf);
}
}  // namespace


PitchKernels pitchKernelsSse2() {
    return {KW,          forwardTransform, analyse,     synthesise,  inverseTransform,
            overlapAdd,  atan2Values,      sinCosValues, kApproxBound};
}
