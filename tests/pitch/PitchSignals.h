// Test signals and helpers shared by the pitch stage tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace pitchtest {

constexpr float kRate = 44100.0f;
constexpr std::int32_t kFrame = 8192;

// Seconds of audio that the identity streams run for: the 32-bit build runs
// under an emulator many times slower, so it gets short streams.
#ifdef KELVORN_PITCH_SHORT_STREAMS
constexpr double kStreamSeconds = 0.1;
constexpr bool kShortStreams = true;
#else
constexpr double kStreamSeconds = 4.0;
constexpr bool kShortStreams = false;
#endif

inline std::vector<float> noise(std::size_t count, std::uint32_t seed, float amplitude = 0.5f) {
    std::mt19937 random(seed);
    std::vector<float> samples(count);
    for (auto& s : samples) {
        // integer-based so that every standard library gives the same stream
        s = amplitude * (static_cast<float>(random() >> 8) / 8388608.0f - 1.0f);
    }
    return samples;
}

inline std::vector<float> sine(std::size_t count, double frequency, float amplitude = 0.5f, double phase = 0.0) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<float>(amplitude * std::sin(6.283185307179586 * frequency * i / kRate + phase));
    }
    return samples;
}

// Call sizes from 0 to maxSize, zeros included, adding up to total.
inline std::vector<std::int32_t> callSizes(std::size_t total, std::uint32_t seed, std::int32_t maxSize) {
    std::mt19937 random(seed);
    std::vector<std::int32_t> sizes;
    std::size_t used = 0;
    while (used < total) {
        std::int32_t size = static_cast<std::int32_t>(random() % static_cast<std::uint32_t>(maxSize + 1));
        if (random() % 8 == 0) size = 0;
        if (used + size > total) size = static_cast<std::int32_t>(total - used);
        sizes.push_back(size);
        used += size;
    }
    return sizes;
}

inline std::uint32_t bits(float value) {
    std::uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

// Index of the first sample whose bits differ, or -1 when all are identical.
inline std::int64_t firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    if (a.size() != b.size()) return 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (bits(a[i]) != bits(b[i])) return static_cast<std::int64_t>(i);
    }
    return -1;
}

}  // namespace pitchtest
