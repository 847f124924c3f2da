#include "PitchShifter.h"

void PitchShifter::shift(float, std::int32_t count, std::int32_t, float, const float* input, float* output) {
    for (std::int32_t i = 0; i < count; ++i) output[i] = input[i];
}

void PitchShifter::reset() {}
