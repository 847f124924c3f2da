// The kernels keep a bin only where both ends of their error bound give
// the same bits, so the bound must truly hold: the approximations of atan2,
// sin and cos, on every level this processor runs, stay far inside it
// against the standard library, on random and on awkward arguments.
#include "CpuFeatures.h"
#include "PitchKernels.h"
#include "PitchSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

const int kMany = pitchtest::kShortStreams ? 20000 : 400000;

std::vector<SimdLevel> levels() {
    std::vector<SimdLevel> result;
    for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
        if (simdLevelSupported(level)) result.push_back(level);
    }
    return result;
}

}  // namespace

TEST(PitchApproximations, Atan2StaysFarInsideItsBound) {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<double> y, x;
    auto add = [&](double a, double b) {
        y.push_back(static_cast<float>(a));  // the kernels see floats widened to double
        x.push_back(static_cast<float>(b));
    };
    for (int i = 0; i < kMany; ++i) add(unit(random), unit(random));
    for (int i = 0; i < kMany / 4; ++i) {
        const double scale = std::ldexp(1.0, static_cast<int>(random() % 200) - 100);
        add(unit(random) * scale, unit(random) * std::ldexp(1.0, static_cast<int>(random() % 200) - 100));
    }
    // near the axes, the diagonals and the table points tan(i/8)
    for (int i = 0; i < kMany / 4; ++i) {
        const double t = (random() % 9) / 8.0 + unit(random) * 1e-6;
        const double r = 1.0 + unit(random);
        const int quadrant = static_cast<int>(random() % 8);
        const double a = r, b = r * t;
        const double sx = quadrant & 1 ? -1 : 1, sy = quadrant & 2 ? -1 : 1;
        if (quadrant & 4) add(sy * a, sx * b);
        else add(sy * b, sx * a);
    }
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (y[i] == 0.0) y[i] = 1e-30;
        if (x[i] == 0.0) x[i] = -1e-30;
    }
    while (y.size() % 8) add(0.5, 0.25);
    for (SimdLevel level : levels()) {
        const PitchKernels kernels = pitchKernelsFor(level);
        std::vector<double> out(y.size());
        kernels.atan2Values(y.data(), x.data(), out.data(), static_cast<std::int32_t>(y.size()));
        double worst = 0.0;
        for (std::size_t i = 0; i < y.size(); ++i) worst = std::max(worst, std::fabs(out[i] - std::atan2(y[i], x[i])));
        EXPECT_LT(worst, kernels.approximationBound / 20) << simdLevelName(level);
    }
}

TEST(PitchApproximations, SinAndCosStayFarInsideTheirBound) {
    std::mt19937_64 random(2);
    std::uniform_real_distribution<double> phase(-3.1416, 3.1416);
    std::vector<double> p;
    for (int i = 0; i < kMany; ++i) p.push_back(static_cast<float>(phase(random)));
    // around the quadrant boundaries and the ends of the range
    const double pi = 3.141592653589793;
    for (int q = -2; q <= 2; ++q) {
        for (int i = -2000; i < 2000; ++i) {
            p.push_back(std::nextafter(static_cast<float>(q * pi / 2 + q * pi / 4 * 0), 0.0f) + i * 1e-7f);
            p.push_back(static_cast<float>((q + 0.5) * pi / 2 + i * 1e-7));
        }
    }
    p.push_back(3.14159274f);
    p.push_back(-3.14159274f);
    p.push_back(1e-30);
    while (p.size() % 8) p.push_back(1.0);
    for (SimdLevel level : levels()) {
        const PitchKernels kernels = pitchKernelsFor(level);
        std::vector<double> s(p.size()), c(p.size());
        kernels.sinCosValues(p.data(), s.data(), c.data(), static_cast<std::int32_t>(p.size()));
        double worst = 0.0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            worst = std::max(worst, std::fabs(s[i] - std::sin(p[i])));
            worst = std::max(worst, std::fabs(c[i] - std::cos(p[i])));
        }
        EXPECT_LT(worst, kernels.approximationBound / 20) << simdLevelName(level);
    }
}
