// Every instruction-set level this processor can run gives the reference's
// bits; levels it cannot run are skipped (and named in the output).
#include "CpuFeatures.h"
#include "PitchShifter.h"
#include "PitchSignals.h"
#include "ReferencePitchShifter.h"

#include <gtest/gtest.h>

#include <memory>

using namespace pitchtest;

class PitchShifterSimdLevel : public ::testing::TestWithParam<SimdLevel> {
protected:
    void SetUp() override {
        if (!simdLevelSupported(GetParam())) GTEST_SKIP() << simdLevelName(GetParam()) << " is not available here";
    }
};

TEST_P(PitchShifterSimdLevel, MatchesTheReference) {
    const auto count = static_cast<std::size_t>(kStreamSeconds * kRate);
    auto input = noise(count, 40, 0.3f);
    const auto tone = sine(count, 987.6, 0.4f);
    for (std::size_t i = 0; i < count; ++i) input[i] += (i / 20000) % 2 ? tone[i] : 0.0f;
    for (float factor : {0.924995f, 2.0f}) {
        auto production = std::make_unique<PitchShifter>(GetParam());
        ASSERT_EQ(production->simdLevel(), GetParam());
        auto reference = std::make_unique<ReferencePitchShifter>();
        std::vector<float> expected(count), actual(count);
        const auto sizes = callSizes(count, 41, 1100);
        std::size_t at = 0;
        for (std::int32_t size : sizes) {
            reference->shift(factor, size, kFrame, kRate, input.data() + at, expected.data() + at);
            production->shift(factor, size, kFrame, kRate, input.data() + at, actual.data() + at);
            at += static_cast<std::size_t>(size);
        }
        EXPECT_EQ(firstDifference(expected, actual), -1) << factor;
    }
}

TEST_P(PitchShifterSimdLevel, MatchesTheBaselineOnALongStream) {
    // Levels against each other: cheap enough for a long stream.
    const auto count = static_cast<std::size_t>((kShortStreams ? 1 : 20) * kRate);
    const auto input = noise(count, 42);
    auto production = std::make_unique<PitchShifter>(GetParam());
    auto baseline = std::make_unique<PitchShifter>(SimdLevel::Sse2);
    std::vector<float> expected(count), actual(count);
    baseline->shift(1.4f, static_cast<std::int32_t>(count), kFrame, kRate, input.data(), expected.data());
    production->shift(1.4f, static_cast<std::int32_t>(count), kFrame, kRate, input.data(), actual.data());
    EXPECT_EQ(firstDifference(expected, actual), -1);
}

TEST_P(PitchShifterSimdLevel, MatchesTheReferenceAtSmallFrameSizes) {
    const auto input = noise(kShortStreams ? 1000 : 8000, 43);
    for (std::int32_t frame : {32, 64, 128, 256}) {
        auto production = std::make_unique<PitchShifter>(GetParam());
        auto reference = std::make_unique<ReferencePitchShifter>();
        std::vector<float> expected(input.size()), actual(input.size());
        reference->shift(0.5f, static_cast<std::int32_t>(input.size()), frame, kRate, input.data(), expected.data());
        production->shift(0.5f, static_cast<std::int32_t>(input.size()), frame, kRate, input.data(), actual.data());
        EXPECT_EQ(firstDifference(expected, actual), -1) << "frame size " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, PitchShifterSimdLevel,
                         ::testing::Values(SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512),
                         [](const ::testing::TestParamInfo<SimdLevel>& info) {
                             switch (info.param) {
                             case SimdLevel::Sse2: return "Sse2";
                             case SimdLevel::Avx2: return "Avx2";
                             case SimdLevel::Avx512: return "Avx512";
                             }
                             return "Unknown";
                         });
