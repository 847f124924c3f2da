#include "FftInPlace.h"

#include <cmath>
#include <utility>

void fftInPlace(float* data, std::int32_t n, std::int32_t sign) {
    for (std::int32_t i = 2; i < 2 * n - 2; i += 2) {
        std::int32_t j = 0;
        for (std::int32_t bit = 2; bit < 2 * n; bit <<= 1) {
            if (i & bit) ++j;
            j <<= 1;
        }
        if (i < j) {
            std::swap(data[i], data[j]);
            std::swap(data[i + 1], data[j + 1]);
        }
    }
    const double pi = 3.141592653589793;
    const std::int32_t stages = static_cast<std::int32_t>(
        static_cast<double>(static_cast<float>(std::log(static_cast<double>(n)))) /
            static_cast<float>(std::log(2.0)) + 0.5);
    std::int32_t le = 2;
    for (std::int32_t stage = 0; stage < stages; ++stage) {
        le *= 2;
        const std::int32_t le2 = le / 2;
        float ur = 1.0f;
        float ui = 0.0f;
        const double arg = static_cast<float>(pi / (le2 / 2));
        const double wr = static_cast<float>(std::cos(arg));
        const double wi = static_cast<float>(sign * static_cast<double>(static_cast<float>(std::sin(arg))));
        for (std::int32_t j = 0; j < le2; j += 2) {
            for (std::int32_t i = j; i < 2 * n; i += le) {
                const std::int32_t p2 = i + le2;
                const double br = data[p2];
                const double bi = data[p2 + 1];
                const double tr = static_cast<float>(br * ur - bi * ui);
                const double ti = static_cast<float>(br * ui + bi * ur);
                data[p2] = static_cast<float>(data[i] - tr);
                data[p2 + 1] = static_cast<float>(data[i + 1] - ti);
                data[i] = static_cast<float>(data[i] + tr);
                data[i + 1] = static_cast<float>(data[i + 1] + ti);
            }
            const float newUr = static_cast<float>(ur * wr - ui * wi);
            const float newUi = static_cast<float>(ur * wi + ui * wr);
            ur = newUr;
            ui = newUi;
        }
    }
}
