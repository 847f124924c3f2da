// fftInPlace: radix-2 decimation-in-time transform of n complex values
// stored interleaved (real, imaginary) in data[0 .. 2n-1]. sign -1 gives
// the forward transform, +1 the inverse; neither direction is scaled.
// The twiddle factors come from a rotation recurrence rounded to float at
// every step, so results are reproducible bit for bit.
//
// Any thread; touches nothing but data.
#pragma once

#include <cstdint>

void fftInPlace(float* data, std::int32_t n, std::int32_t sign);
