// The effect's parameter and program numbering, shared by the effect class,
// its texts and its tests.
#pragma once

#include <cstdint>

enum EffectParameter : std::int32_t {
    kInMix = 0,
    kAngle,
    kW1Delay,
    kW1Gain,
    kW1Pitch,
    kW2Enable,
    kW2Delay,
    kW2Gain,
    kW2Pitch,
    kNumParams
};

constexpr std::int32_t kNumPrograms = 16;

// The float nearest one third: the pitch value that means "unshifted".
constexpr float kUnityPitchValue = 0.33333334f;

// True for 0..kNumParams-1; negative indices compare as large unsigned numbers.
constexpr bool isParameterIndex(std::int32_t index) {
    return static_cast<std::uint32_t>(index) < static_cast<std::uint32_t>(kNumParams);
}
