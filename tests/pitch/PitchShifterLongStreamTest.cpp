// The accumulated synthesis phase is reduced at every frame, so however
// long the stage runs, a tone keeps its level and its (shifted) frequency.
// Unreduced float phases lose a tone within minutes. Minutes of audio:
// optimised build only.
#include "PitchShifter.h"
#include "PitchSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace pitchtest;

namespace {

struct Measure {
    double rms;
    double frequency;
};

// RMS and frequency (from interpolated upward zero crossings) of one stretch.
Measure measure(const std::vector<float>& s, std::size_t from, std::size_t count) {
    double sum = 0.0;
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        sum += static_cast<double>(s[i]) * s[i];
        if (s[i - 1] < 0.0f && s[i] >= 0.0f) {
            const double at = (i - 1) + s[i - 1] / (static_cast<double>(s[i - 1]) - s[i]);
            if (first < 0.0) first = at;
            last = at;
            ++crossings;
        }
    }
    return {std::sqrt(sum / count), crossings > 1 ? (crossings - 1) * kRate / (last - first) : 0.0};
}

}  // namespace

TEST(PitchShifterLongStream, ToneKeepsItsLevelAndFrequencyForMinutes) {
    if (kShortStreams) GTEST_SKIP() << "minutes of audio: optimised build only";
    struct Case {
        double input;
        float factor;
        double minutes;
    };
    const Case cases[] = {{1000.0, 1.0f, 2}, {5000.0, 1.0f, 1}, {440.0, 1.4f, 2}, {3000.0, 1.4f, 5}};
    for (const Case& c : cases) {
        const auto count = static_cast<std::size_t>(c.minutes * 60 * kRate);
        const float amplitude = 0.5f;
        std::vector<float> signal = sine(count, c.input, amplitude);
        auto shifter = std::make_unique<PitchShifter>();
        for (std::size_t at = 0; at < count; at += 4096) {
            const auto size = static_cast<std::int32_t>(std::min<std::size_t>(4096, count - at));
            shifter->shift(c.factor, size, kFrame, kRate, signal.data() + at, signal.data() + at);
        }
        const double expectedFrequency = c.input * c.factor;
        const Measure early = measure(signal, static_cast<std::size_t>(kRate), static_cast<std::size_t>(kRate));
        const Measure late = measure(signal, count - static_cast<std::size_t>(kRate), static_cast<std::size_t>(kRate) - 1);
        SCOPED_TRACE(std::to_string(c.input) + " Hz at factor " + std::to_string(c.factor));
        EXPECT_NEAR(early.frequency, expectedFrequency, expectedFrequency * 0.002);
        EXPECT_NEAR(late.frequency, expectedFrequency, expectedFrequency * 0.002);
        // within 0.5 dB of the level at the start, which is 1.5 times the input's at factor 1
        EXPECT_NEAR(20 * std::log10(late.rms / early.rms), 0.0, 0.5);
        if (c.factor == 1.0f) {
            EXPECT_NEAR(early.rms, 1.5 * amplitude / std::sqrt(2.0), 0.01);
        }
    }
}
