// Spreading one mono reflection over left and right: the near side keeps the
// full level, the far side falls linearly to silence at the extreme.
// Audio thread; pure, allocates nothing.
#pragma once

#include <cstdint>

// position 0.0 is hard left, 1.0 hard right, 0.5 (or NaN) centre.
inline void placeStereo(const float* source, float* left, float* right, std::int32_t frames,
                        float position) {
    const double p = position;
    if (p > 0.5) {
        const double farGain = 2.0 * (1.0 - p);
        for (std::int32_t i = 0; i < frames; ++i) {
            left[i] = static_cast<float>(farGain * static_cast<double>(source[i]));
            right[i] = source[i];
        }
    } else if (p < 0.5) {
        const double farGain = 2.0 * p;
        for (std::int32_t i = 0; i < frames; ++i) {
            left[i] = source[i];
            right[i] = static_cast<float>(farGain * static_cast<double>(source[i]));
        }
    } else {
        for (std::int32_t i = 0; i < frames; ++i) {
            left[i] = source[i];
            right[i] = source[i];
        }
    }
}
