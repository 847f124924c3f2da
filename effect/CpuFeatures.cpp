#include "CpuFeatures.h"

bool simdLevelSupported(SimdLevel level) {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    switch (level) {
    case SimdLevel::Sse2: return __builtin_cpu_supports("sse2");
    case SimdLevel::Avx2: return __builtin_cpu_supports("avx2");
    case SimdLevel::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
               __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx2");
    }
    return false;
#else
    return level == SimdLevel::Sse2;
#endif
}

SimdLevel bestSimdLevel() {
    if (simdLevelSupported(SimdLevel::Avx512)) return SimdLevel::Avx512;
    if (simdLevelSupported(SimdLevel::Avx2)) return SimdLevel::Avx2;
    return SimdLevel::Sse2;
}

const char* simdLevelName(SimdLevel level) {
    switch (level) {
    case SimdLevel::Sse2: return "SSE2";
    case SimdLevel::Avx2: return "AVX2";
    case SimdLevel::Avx512: return "AVX-512";
    }
    return "?";
}
