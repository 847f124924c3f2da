// The mappings from normalized values to gains, pitch factors, angles and
// delays, including every kind of float a host may send.
#include <gtest/gtest.h>

#include <limits>

#include "ParameterMapping.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(Mapping, GainFactor) {
    const std::pair<float, float> cases[] = {{0.0f, 0.0f}, {0.45f, 0.9f}, {0.46f, 1.0f}, {0.54f, 1.0f},
                                             {0.55f, 1.1f}, {1.0f, 2.0f},  {kNaN, 0.0f}, {-1.0f, -2.0f}};
    for (auto [value, factor] : cases) EXPECT_EQ(gainFactor(value), factor) << value;
}

TEST(Mapping, PitchFactorUsesDoubleBoundsAndStaysWithinTwoOctaves) {
    EXPECT_EQ(pitchFactor(0.28333f), 0.924995f);  // the float lies below the double bound
    EXPECT_EQ(pitchFactor(0.38333f), 1.0f);       // the float lies inside the band
    const std::pair<float, float> cases[] = {{0.0f, 0.5f},   {1.0f, 2.0f}, {0.33333334f, 1.0f}, {kNaN, 0.5f},
                                             {-5.0f, 0.5f},  {5.0f, 2.0f}, {kInf, 2.0f},        {-kInf, 0.5f}};
    for (auto [value, factor] : cases) EXPECT_EQ(pitchFactor(value), factor) << value;
}

TEST(Mapping, EffectiveAngle) {
    const std::pair<float, float> cases[] = {{0.45f, 0.45f}, {0.5f, 0.5f}, {0.54f, 0.5f}, {0.55f, 0.55f},
                                             {kNaN, 0.0f},   {-2.0f, 0.0f}, {kInf, 1.0f}};
    for (auto [value, angle] : cases) EXPECT_EQ(effectiveAngle(value), angle) << value;
}

TEST(Mapping, DelayOffsetStaysInsideHalfTheCapacity) {
    const std::pair<float, std::int32_t> cases[] = {{0.5f, 33075}, {0.08f, 5291}, {1.0f, 66150}, {0.0f, 0},
                                                    {kNaN, 0},     {-kInf, 0},     {kInf, 66150}, {3e9f, 66150}};
    for (auto [value, offset] : cases) EXPECT_EQ(delayOffset(132300, value), offset) << value;
}

TEST(Mapping, Wall2SwitchIsOnFromOneHalfAndForNaN) {
    EXPECT_TRUE(wall2IsOn(0.5f));
    EXPECT_TRUE(wall2IsOn(kNaN));
    EXPECT_FALSE(wall2IsOn(0.49999997f));
    EXPECT_FALSE(wall2IsOn(-kInf));
}

}  // namespace
