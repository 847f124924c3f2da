#include "TransformTables.h"

#include <cmath>

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
}

TransformTables::TransformTables() {
    for (int direction = 0; direction < 2; ++direction) {
        const double sign = direction == 0 ? -1.0 : 1.0;
        for (std::int32_t span = 1; span < kMaxFrameSize; span *= 2) {
            // the recurrence of the stage whose butterflies are span apart
            const double arg = static_cast<float>(kPi / span);
            const double wr = static_cast<float>(std::cos(arg));
            const double wi = static_cast<float>(sign * static_cast<double>(static_cast<float>(std::sin(arg))));
            float ur = 1.0f;
            float ui = 0.0f;
            for (std::int32_t j = 0; j < span; ++j) {
                twiddles[direction][0][span - 1 + j] = ur;
                twiddles[direction][1][span - 1 + j] = ui;
                const float newUr = static_cast<float>(ur * wr - ui * wi);
                const float newUi = static_cast<float>(ur * wi + ui * wr);
                ur = newUr;
                ui = newUi;
            }
        }
    }
    prepare(kMaxFrameSize, 4);
}

void TransformTables::prepare(std::int32_t n, std::int32_t rows) {
    if (n == preparedSize && rows == preparedRows) return;
    if (n != preparedSize) {
        for (std::int32_t k = 0; k < n; ++k) windowValues[k] = 0.5 - 0.5 * std::cos(kTwoPi * k / n);
    }
    std::int32_t bits = 0;
    while ((1 << bits) < n) ++bits;
    const std::int32_t columns = n / rows;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t g = 0; g < columns; ++g) {
            const std::int32_t element = rows * g + r;
            std::int32_t reversed = 0;
            for (std::int32_t b = 0; b < bits; ++b) reversed |= ((element >> b) & 1) << (bits - 1 - b);
            source[r * columns + g] = reversed;
        }
    }
    preparedSize = n;
    preparedRows = rows;
}
