#include "FftInPlace.h"
#include "PitchSignals.h"
#include "ReferencePitchShifter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pitchtest;

TEST(FftInPlace, UnitImpulseGivesOneInEveryBin) {
    for (std::int32_t n : {2, 8, 1024, 8192}) {
        std::vector<float> data(2 * n, 0.0f);
        data[0] = 1.0f;
        fftInPlace(data.data(), n, -1);
        for (std::int32_t k = 0; k < n; ++k) {
            ASSERT_EQ(data[2 * k], 1.0f) << n << " bin " << k;
            ASSERT_EQ(data[2 * k + 1], 0.0f) << n << " bin " << k;
        }
    }
}

TEST(FftInPlace, ForwardThenInverseReturnsTheInputTimesN) {
    for (std::int32_t n : {4, 32, 8192}) {
        const auto input = noise(2 * n, 20 + n);
        std::vector<float> data = input;
        fftInPlace(data.data(), n, -1);
        fftInPlace(data.data(), n, 1);
        for (std::int32_t i = 0; i < 2 * n; ++i) {
            ASSERT_NEAR(data[i] / n, input[i], 1e-4) << n << " at " << i;
        }
    }
}

TEST(FftInPlace, MatchesTheStepByStepTransformBitForBit) {
    for (std::int32_t sign : {-1, 1}) {
        const auto input = noise(2 * 8192, 30);
        std::vector<float> a = input, b = input;
        fftInPlace(a.data(), 8192, sign);
        ReferencePitchShifter::fftInPlace(b.data(), 8192, sign);
        EXPECT_EQ(firstDifference(a, b), -1) << sign;
    }
}

TEST(FftInPlace, PureToneLandsInItsBin) {
    const std::int32_t n = 256;
    std::vector<float> data(2 * n, 0.0f);
    for (std::int32_t m = 0; m < n; ++m) data[2 * m] = static_cast<float>(std::cos(6.283185307179586 * 5 * m / n));
    fftInPlace(data.data(), n, -1);
    for (std::int32_t k = 0; k < n; ++k) {
        const double magnitude = std::hypot(data[2 * k], data[2 * k + 1]);
        EXPECT_NEAR(magnitude, (k == 5 || k == n - 5) ? n / 2.0 : 0.0, 1e-3) << k;
    }
}
