// Behaviour of the pitch stage as a caller sees it. Each case runs on the
// production stage and on the step-by-step reference, so that both are
// held to the same claims.
#include "BinRemap.h"
#include "PhaseWrap.h"
#include "PitchShifter.h"
#include "PitchSignals.h"
#include "ReferencePitchShifter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace pitchtest;

template <typename Shifter>
class PitchShifterBehaviour : public ::testing::Test {
protected:
    std::unique_ptr<Shifter> make() { return std::make_unique<Shifter>(); }

    std::vector<float> run(Shifter& shifter, float factor, const std::vector<float>& input,
                           const std::vector<std::int32_t>& sizes) {
        std::vector<float> output(input.size(), -1.0f);
        std::size_t at = 0;
        for (std::int32_t size : sizes) {
            shifter.shift(factor, size, kFrame, kRate, input.data() + at, output.data() + at);
            at += static_cast<std::size_t>(size);
        }
        return output;
    }
    std::vector<float> runWhole(float factor, const std::vector<float>& input) {
        auto shifter = make();
        return run(*shifter, factor, input, {static_cast<std::int32_t>(input.size())});
    }
};

#ifdef KELVORN_PITCH_SHORT_STREAMS
using ShifterTypes = ::testing::Types<PitchShifter>;  // the emulated build checks production only
#else
using ShifterTypes = ::testing::Types<PitchShifter, ReferencePitchShifter>;
#endif
TYPED_TEST_SUITE(PitchShifterBehaviour, ShifterTypes);

TYPED_TEST(PitchShifterBehaviour, FirstStepAfterCreationIsSilentAndTheFirstFrameFollows) {
    const auto input = noise(2048, 1);
    const auto output = this->runWhole(1.4f, input);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(bits(output[i]), 0u) << "sample " << i;
    // The first frame is processed as the 256th sample comes in, in the middle
    // of this call; what it produced comes out from sample 256 on.
    EXPECT_TRUE(std::any_of(output.begin() + 256, output.begin() + 512, [](float s) { return s != 0.0f; }));
}

TYPED_TEST(PitchShifterBehaviour, FactorOneGivesTheInputDelayedAndScaledByOneAndAHalf) {
    // Over the first second; float state makes the phase wander slowly after that.
    const std::size_t count = static_cast<std::size_t>(kShortStreams ? kRate / 2 : kRate);
    for (double frequency : {220.0, 1000.0, 5000.0}) {
        if (kShortStreams && frequency != 1000.0) continue;
        const float amplitude = 0.5f;
        const auto input = sine(count, frequency, amplitude);
        const auto output = this->runWhole(1.0f, input);
        const double tolerance = 0.001 * 1.5 * amplitude;
        double worst = 0.0;
        for (std::size_t i = 16384; i < count; ++i) {
            worst = std::max(worst, std::fabs(output[i] - 1.5 * input[i - 8192]));
        }
        EXPECT_LE(worst, tolerance) << frequency << " Hz";
    }
}

TYPED_TEST(PitchShifterBehaviour, SplittingTheStreamIntoCallsChangesNothing) {
    const auto input = noise(kShortStreams ? 12000 : 5 * 8192, 2);
    const auto whole = this->runWhole(0.75f, input);
    for (std::int32_t maxSize : {1, 7, 255, 256, 257, 1000, 9000}) {
        if (kShortStreams && maxSize != 7 && maxSize != 9000) continue;
        auto shifter = this->make();
        const auto split = this->run(*shifter, 0.75f, input, callSizes(input.size(), maxSize, maxSize));
        EXPECT_EQ(firstDifference(whole, split), -1) << "calls of up to " << maxSize;
    }
}

TYPED_TEST(PitchShifterBehaviour, InPlaceGivesTheSameAsSeparateArrays) {
    const auto input = noise(kShortStreams ? 10000 : 2 * 8192, 3);
    const auto separate = this->runWhole(1.4f, input);
    auto shifter = this->make();
    std::vector<float> buffer = input;
    for (std::size_t at = 0; at < buffer.size(); at += 300) {
        const auto size = static_cast<std::int32_t>(std::min<std::size_t>(300, buffer.size() - at));
        shifter->shift(1.4f, size, kFrame, kRate, buffer.data() + at, buffer.data() + at);
    }
    EXPECT_EQ(firstDifference(separate, buffer), -1);
}

TYPED_TEST(PitchShifterBehaviour, TwoCallersTakingTurnsShareOneStream) {
    // Wall 1 and wall 2 each pass their own block in turn; the stage sees the
    // blocks as one stream and returns that stream, shifted, 8192 samples late.
    const std::int32_t block = 512;
    const int blocks = kShortStreams ? 8 : 40;
    const auto wall1 = sine(block * blocks, 330.0);
    const auto wall2 = noise(block * blocks, 4);
    std::vector<float> joined;
    for (int b = 0; b < blocks; ++b) {
        joined.insert(joined.end(), wall1.begin() + b * block, wall1.begin() + (b + 1) * block);
        joined.insert(joined.end(), wall2.begin() + b * block, wall2.begin() + (b + 1) * block);
    }
    const auto expected = this->runWhole(2.0f, joined);

    auto shifter = this->make();
    std::vector<float> turns;
    std::vector<float> out1(block), out2(block);
    for (int b = 0; b < blocks; ++b) {
        shifter->shift(2.0f, block, kFrame, kRate, wall1.data() + b * block, out1.data());
        shifter->shift(2.0f, block, kFrame, kRate, wall2.data() + b * block, out2.data());
        turns.insert(turns.end(), out1.begin(), out1.end());
        turns.insert(turns.end(), out2.begin(), out2.end());
    }
    EXPECT_EQ(firstDifference(expected, turns), -1);
}

TYPED_TEST(PitchShifterBehaviour, ResetReturnsToTheStateOfCreation) {
    const auto first = noise(kShortStreams ? 3000 : 2 * 8192, 5);
    const auto second = noise(kShortStreams ? 9000 : 2 * 8192, 6);
    auto used = this->make();
    this->run(*used, 1.4f, first, {static_cast<std::int32_t>(first.size())});
    used->reset();
    const auto afterReset = this->run(*used, 1.4f, second, {static_cast<std::int32_t>(second.size())});
    EXPECT_EQ(firstDifference(this->runWhole(1.4f, second), afterReset), -1);
}

TYPED_TEST(PitchShifterBehaviour, HugeBurstIsDroppedAndTheStageRecovers) {
    // A finite burst near the float limit overflows the transform; the stage
    // must not keep NaN or infinity in its state but start afresh.
    const double frequency = 1000.0;
    auto input = sine(kShortStreams ? 30000 : 40000, frequency, 0.5f);
    for (std::size_t i = 2000; i < 2512; ++i) input[i] = (i % 2 ? 6e37f : -6e37f);
    const auto output = this->runWhole(1.0f, input);
    for (std::size_t i = 0; i < output.size(); ++i) ASSERT_TRUE(std::isfinite(output[i])) << "sample " << i;
    // Once the burst is dropped the stage starts afresh and plays the tone again.
    double worst = 0.0;
    for (std::size_t i = 20000; i < input.size(); ++i) {
        worst = std::max(worst, std::fabs(output[i] - 1.5 * input[i - 8192]));
    }
    EXPECT_LE(worst, 0.001 * 0.75);
}

TEST(PitchShifterBuildingBlocks, BinRemappingCases) {
    const std::int32_t half = 16;
    std::vector<float> magnitude(half + 1), frequency(half + 1);
    for (std::int32_t k = 0; k <= half; ++k) {
        magnitude[k] = 1.0f + k;
        frequency[k] = 100.0f * k + 3.0f;
    }
    std::vector<float> outMagnitude(half + 1, -1.0f), outFrequency(half + 1, -1.0f);

    // Factor 2: bins 0..8 land on the even bins, 9..16 are dropped, odd bins stay silent.
    remapBins(2.0f, half, magnitude.data(), frequency.data(), outMagnitude.data(), outFrequency.data());
    for (std::int32_t k = 0; k <= half; ++k) {
        if (k % 2) {
            EXPECT_EQ(outMagnitude[k], 0.0f) << k;
            EXPECT_EQ(outFrequency[k], 0.0f) << k;
        } else {
            EXPECT_EQ(outMagnitude[k], magnitude[k / 2]) << k;
            EXPECT_EQ(outFrequency[k], static_cast<float>(frequency[k / 2] * 2.0)) << k;
        }
    }
    // Factor 0.5: bins 2m and 2m+1 add on bin m; the frequency of 2m+1 (halved) remains.
    remapBins(0.5f, half, magnitude.data(), frequency.data(), outMagnitude.data(), outFrequency.data());
    for (std::int32_t m = 0; m < half / 2; ++m) {
        EXPECT_EQ(outMagnitude[m], magnitude[2 * m] + magnitude[2 * m + 1]) << m;
        EXPECT_EQ(outFrequency[m], static_cast<float>(frequency[2 * m + 1] * 0.5)) << m;
    }
    EXPECT_EQ(outMagnitude[half / 2], magnitude[half]);
    for (std::int32_t k = half / 2 + 1; k <= half; ++k) EXPECT_EQ(outMagnitude[k], 0.0f) << k;
    // Factor 1.5: index trunc(1.5 k): 1 -> 1, 3 -> 4, 5 -> 7; 2 -> 3; nothing lands on 2 or 5.
    remapBins(1.5f, half, magnitude.data(), frequency.data(), outMagnitude.data(), outFrequency.data());
    EXPECT_EQ(outMagnitude[1], magnitude[1]);
    EXPECT_EQ(outMagnitude[4], magnitude[3]);
    EXPECT_EQ(outMagnitude[7], magnitude[5]);
    EXPECT_EQ(outMagnitude[3], magnitude[2]);
    EXPECT_EQ(outMagnitude[2], 0.0f);
    EXPECT_EQ(outMagnitude[5], 0.0f);
}

TEST(PitchShifterBuildingBlocks, PhaseWrapRemovesAnEvenMultipleOfPi) {
    const double pi = 3.141592653589793;
    struct Case { double d; double q; };  // q: the even multiple of pi removed
    const Case cases[] = {
        {3.5 * pi, 4},    // quotient 3 is odd: one step away from zero
        {-3.5 * pi, -4},  // quotient -3
        {2.5 * pi, 2},    // quotient 2 is even and stays
        {1.5 * pi, 2},
        {-1.5 * pi, -2},
        {0.5, 0},
        {-0.5, 0},
        {-804.0, -256},
    };
    for (const Case& c : cases) {
        double d = c.d;
        EXPECT_TRUE(wrapPhase(d));
        EXPECT_EQ(d, c.d - pi * c.q) << c.d;
        EXPECT_LE(std::fabs(d), pi) << c.d;
    }
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300}) {
        double d = bad;
        EXPECT_FALSE(wrapPhase(d)) << bad;
    }
}
