// The mappings from normalized parameter values to the quantities that
// processing and the display texts use. Both call these same functions, so
// what the host shows is what the effect does.
//
// Pure functions, safe on any thread. They accept every float a host can
// send: NaN counts as 0, and a value outside 0..1 is clamped wherever it
// would otherwise decide a memory position (delay offset) or a bin (pitch
// factor), or turn silence into NaN (placement angle). Signal arithmetic is
// done in double and rounded to float where the result is kept.
#pragma once

#include <algorithm>
#include <cstdint>

// NaN compares unequal to itself; it counts as 0 in every mapping.
inline float numberOrZero(float value) { return value != value ? 0.0f : value; }

// The dead zone around 0.5 shared by gain and angle, with float bounds.
inline bool inCentreBand(float value) { return value > 0.45f && value < 0.55f; }

// Wall gain: unity inside the dead zone, otherwise twice the value.
inline float gainFactor(float value) {
    const float v = numberOrZero(value);
    if (inCentreBand(v)) return 1.0f;
    return static_cast<float>(2.0 * static_cast<double>(v));
}

// Pitch factor, 0.5 (octave down) to 2.0 (octave up). The unity band is
// compared in double against double bounds.
inline float pitchFactor(float value) {
    const double v = numberOrZero(value);
    if (v > 0.28333 && v < 0.38333) return 1.0f;
    const float factor = static_cast<float>(v * 1.5 + 0.5);
    return std::clamp(factor, 0.5f, 2.0f);
}

// Placement position 0 (wall 1 hard left) .. 1 (hard right); the dead zone is centre.
inline float effectiveAngle(float value) {
    const float v = std::clamp(numberOrZero(value), 0.0f, 1.0f);
    if (inCentreBand(v)) return 0.5f;
    return v;
}

// Wall 2's switch: on when the value is not below 0.5 (so NaN is on).
inline bool wall2IsOn(float value) { return !(value < 0.5f); }

// Delay in whole samples, 0 .. capacity / 2. The value is clamped first, so
// no float reaches the integer conversion outside the integer range.
inline std::int32_t delayOffset(std::int32_t capacity, float value) {
    const double v = std::clamp(numberOrZero(value), 0.0f, 1.0f);
    return static_cast<std::int32_t>(static_cast<double>(capacity / 2) * v);
}

// The dry gain is used unmapped, except that NaN counts as 0.
inline float dryGain(float value) { return numberOrZero(value); }

// Angle in degrees as shown to the host: -90 (hard left) .. +90 (hard right).
inline float angleDegrees(float value) {
    return static_cast<float>((2.0 * static_cast<double>(effectiveAngle(value)) - 1.0) * 90.0);
}

// A delay in samples as milliseconds at the host's current rate.
inline float samplesToMs(std::int32_t samples, float sampleRate) {
    return static_cast<float>(static_cast<double>(samples) * 1000.0 / static_cast<double>(sampleRate));
}
