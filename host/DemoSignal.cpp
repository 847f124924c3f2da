#include "DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A plucked note: a few harmonics under an exponential decay.
double pluck(double t, double frequency) {
    if (t < 0.0) return 0.0;
    const double envelope = std::exp(-t * 6.0) * std::min(1.0, t * 400.0);
    double s = 0.0;
    for (int h = 1; h <= 4; ++h) s += std::sin(2.0 * kPi * frequency * h * t) / (h * h);
    return 0.35 * envelope * s;
}

// White noise from a counter hash, so any frame can be computed on its own.
double noiseAt(std::int64_t frame) {
    std::uint32_t x = static_cast<std::uint32_t>(frame) * 2654435761u + 0x9E3779B9u;
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return static_cast<double>(x) / 4294967295.0 * 2.0 - 1.0;
}

}  // namespace

float DemoSignal::sampleAt(std::int64_t frame) {
    const double t = static_cast<double>(frame) / kSampleRate;
    // A major arpeggio, one note every 0.4 s.
    const double notes[] = {220.0, 277.18, 329.63, 440.0};
    double s = 0.0;
    for (int i = 0; i < 4; ++i) s += pluck(t - 0.4 * i, notes[i]);
    // A short noise burst shows the reflections across the whole spectrum.
    if (t >= 1.8 && t < 1.9) s += 0.25 * noiseAt(frame) * std::sin(kPi * (t - 1.8) / 0.1);
    // A single click shows the reflections' exact positions.
    if (frame == static_cast<std::int64_t>(2.4 * kSampleRate)) s += 0.5;
    return static_cast<float>(s);
}

std::size_t DemoSignal::read(float* interleaved, std::size_t wanted) {
    std::size_t n = 0;
    for (; n < wanted && position < kFrames; ++n, ++position) {
        const float s = sampleAt(position);
        interleaved[2 * n] = s;
        interleaved[2 * n + 1] = s;
    }
    return n;
}
