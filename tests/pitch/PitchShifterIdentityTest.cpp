// The production stage must give the reference's output bit for bit, on
// long streams, however the stream is cut into calls and whoever calls.
#include "PitchShifter.h"
#include "PitchSignals.h"
#include "ReferencePitchShifter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace pitchtest;

namespace {

struct Stream {
    std::string name;
    std::vector<float> samples;
};

std::vector<Stream> streams(std::size_t count) {
    std::vector<Stream> result;
    result.push_back({"noise", noise(count, 11)});
    // Three tones at once, one of them fading in and out.
    std::vector<float> tones = sine(count, 440.0, 0.3f);
    const auto high = sine(count, 3150.5, 0.2f, 1.0);
    const auto low = sine(count, 61.0, 0.4f, 2.0);
    for (std::size_t i = 0; i < count; ++i) {
        const float fade = static_cast<float>(0.5 + 0.5 * std::sin(i * 1e-4));
        tones[i] = tones[i] + fade * high[i] + low[i];
    }
    result.push_back({"tones", tones});
    // Silence, then a quiet tone, then silence again: zero spectra and tiny values.
    std::vector<float> sparse(count, 0.0f);
    const auto quiet = sine(count, 1234.5, 1e-6f);
    for (std::size_t i = count / 4; i < count / 2; ++i) sparse[i] = quiet[i];
    if (!kShortStreams) result.push_back({"sparse", sparse});
    return result;
}

const float kFactors[] = {0.5f, 0.924995f, 1.4f, 2.0f};

}  // namespace

TEST(PitchShifterIdentity, MatchesTheReferenceCallByCallAndInPlace) {
    const auto count = static_cast<std::size_t>(kStreamSeconds * kRate);
    std::uint32_t seed = 100;
    for (const Stream& stream : streams(count)) {
        for (float factor : kFactors) {
            if (kShortStreams && factor != 0.5f && factor != 1.4f) continue;
            SCOPED_TRACE(stream.name + " at factor " + std::to_string(factor));
            auto production = std::make_unique<PitchShifter>();
            auto reference = std::make_unique<ReferencePitchShifter>();
            const auto sizes = callSizes(count, ++seed, 1500);
            std::vector<float> expected(count), actual(stream.samples);
            std::size_t at = 0;
            for (std::int32_t size : sizes) {
                reference->shift(factor, size, kFrame, kRate, stream.samples.data() + at, expected.data() + at);
                // production works in place, the reference out of place
                production->shift(factor, size, kFrame, kRate, actual.data() + at, actual.data() + at);
                at += static_cast<std::size_t>(size);
            }
            ASSERT_EQ(firstDifference(expected, actual), -1);
        }
    }
}

TEST(PitchShifterIdentity, MatchesTheReferenceWithTwoCallersTakingTurns) {
    // As both walls do: each passes its block, the stage runs one stream.
    const auto count = static_cast<std::size_t>(kStreamSeconds * kRate / 2);
    const auto wall1 = streams(count)[1].samples;
    const auto wall2 = noise(count, 12, 0.25f);
    auto production = std::make_unique<PitchShifter>();
    auto reference = std::make_unique<ReferencePitchShifter>();
    const auto sizes = callSizes(count, 13, 700);
    std::vector<float> expected1(count), expected2(count), actual1(wall1), actual2(wall2);
    std::size_t at = 0;
    for (std::int32_t size : sizes) {
        reference->shift(1.4f, size, kFrame, kRate, wall1.data() + at, expected1.data() + at);
        reference->shift(1.4f, size, kFrame, kRate, wall2.data() + at, expected2.data() + at);
        production->shift(1.4f, size, kFrame, kRate, actual1.data() + at, actual1.data() + at);
        production->shift(1.4f, size, kFrame, kRate, actual2.data() + at, actual2.data() + at);
        at += static_cast<std::size_t>(size);
    }
    EXPECT_EQ(firstDifference(expected1, actual1), -1);
    EXPECT_EQ(firstDifference(expected2, actual2), -1);
}

TEST(PitchShifterIdentity, MatchesTheReferenceThroughAnOverflowingBurst) {
    const std::size_t count = kShortStreams ? 12000 : 80000;
    auto input = noise(count, 14);
    for (std::size_t i = count / 2; i < count / 2 + 512; ++i) input[i] = 6e37f;
    for (float factor : {0.5f, 1.4f}) {
        if (kShortStreams && factor != 1.4f) continue;
        auto production = std::make_unique<PitchShifter>();
        auto reference = std::make_unique<ReferencePitchShifter>();
        std::vector<float> expected(count), actual(count);
        reference->shift(factor, static_cast<std::int32_t>(count), kFrame, kRate, input.data(), expected.data());
        production->shift(factor, static_cast<std::int32_t>(count), kFrame, kRate, input.data(), actual.data());
        EXPECT_GT(reference->nonFiniteResets(), 0) << factor;
        EXPECT_EQ(firstDifference(expected, actual), -1) << factor;
        EXPECT_TRUE(std::all_of(actual.begin(), actual.end(), [](float s) { return std::isfinite(s); }));
    }
}

TEST(PitchShifterIdentity, MatchesTheReferenceAtSmallerFrameSizes) {
    const auto input = noise(kShortStreams ? 1000 : 20000, 15);
    for (std::int32_t frame : {32, 64, 512, 2048}) {
        auto production = std::make_unique<PitchShifter>();
        auto reference = std::make_unique<ReferencePitchShifter>();
        std::vector<float> expected(input.size()), actual(input.size());
        reference->shift(1.4f, static_cast<std::int32_t>(input.size()), frame, 48000.0f, input.data(), expected.data());
        production->shift(1.4f, static_cast<std::int32_t>(input.size()), frame, 48000.0f, input.data(), actual.data());
        EXPECT_EQ(firstDifference(expected, actual), -1) << "frame size " << frame;
    }
}
