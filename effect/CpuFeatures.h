// CpuFeatures: which vector instruction sets the running processor offers.
// The pitch stage picks its kernels from this once, at construction; every
// level gives bit-identical results, only the speed differs.
//
// Any thread.
#pragma once

enum class SimdLevel { Sse2, Avx2, Avx512 };

// True when this processor (and operating system) can run code of that level.
bool simdLevelSupported(SimdLevel level);

// The fastest level this processor can run.
SimdLevel bestSimdLevel();

const char* simdLevelName(SimdLevel level);
