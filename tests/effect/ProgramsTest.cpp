// Parameters and programs through the record: defaults, presets, switching,
// renaming, and values a host may send outside 0..1.
#include <cmath>
#include <cstring>
#include <limits>

#include "KelvornHarness.h"

namespace {

using Programs = KelvornHarness;

constexpr float kThird = 0.33333334f;

std::vector<float> parameters(PluginInstance& plugin) {
    std::vector<float> values;
    for (VstInt32 i = 0; i < 9; ++i) values.push_back(plugin.getParameter(i));
    return values;
}

TEST_F(Programs, RecordDeclaresTheEffect) {
    AEffect* e = instance.effect;
    EXPECT_EQ(e->numPrograms, 16);
    EXPECT_EQ(e->numParams, 9);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->uniqueID, 0x514F566C);  // "QOVl"
    EXPECT_TRUE(e->flags & effFlagsCanReplacing);
}

TEST_F(Programs, PresetsHoldTheirValuesAndNames) {
    struct Preset { const char* name; std::vector<float> values; };
    const Preset presets[] = {
        {"Default", {1.0f, 0.5f, 0.5f, 0.5f, kThird, 0.0f, 0.5f, 0.5f, kThird}},
        {"3D Reverb", {1.0f, 0.022736f, 0.060609f, 0.151524f, kThird, 1.0f, 0.060609f, 0.151524f, kThird}},
        {"Walking Up", {1.0f, 0.151524f, 0.5f, 0.25f, kThird, 1.0f, 0.5f, 0.5f, 0.6f}},
        {"Echo", {1.0f, 0.34849f, 0.560594f, 0.280312f, kThird, 1.0f, 0.560594f, 0.280312f, kThird}},
        {"Talking to Myself", {1.0f, 0.87878f, 0.560594f, 0.280312f, kThird, 1.0f, 0.08f, 0.5f, kThird}},
    };
    EXPECT_EQ(instance.dispatch(effGetProgram), 0);
    EXPECT_EQ(parameters(instance), presets[0].values);
    for (VstInt32 p = 4; p >= 0; --p) {
        setProgram(p);
        EXPECT_EQ(instance.dispatch(effGetProgram), p);
        EXPECT_EQ(parameters(instance), presets[p].values) << p;
        EXPECT_EQ(instance.text(effGetProgramName), presets[p].name);
    }
    for (VstInt32 p = 0; p < 16; ++p) {
        char text[32];
        std::memset(text, 'x', sizeof text);
        EXPECT_EQ(instance.dispatch(effGetProgramNameIndexed, p, 0, text), 1);
        const std::string expected = p < 5 ? presets[p].name : "Extra " + std::to_string(p - 4);
        EXPECT_EQ(std::string(text), expected) << p;
    }
    setProgram(9);
    EXPECT_EQ(parameters(instance), presets[0].values);
}

TEST_F(Programs, EditsStayWithTheirProgram) {
    instance.setParameter(pW1Gain, 0.7f);
    setProgram(1);
    EXPECT_EQ(instance.getParameter(pW1Gain), 0.151524f);
    setProgram(0);
    EXPECT_EQ(instance.getParameter(pW1Gain), 0.7f);
}

TEST_F(Programs, InvalidIndicesAndProgramNumbersChangeNothing) {
    const std::vector<float> before = parameters(instance);
    instance.setParameter(9, 0.25f);
    instance.setParameter(-1, 0.25f);
    instance.setParameter(0x7fffffff, 0.25f);
    EXPECT_EQ(parameters(instance), before);
    EXPECT_EQ(instance.getParameter(9), 0.0f);
    EXPECT_EQ(instance.getParameter(-1), 0.0f);

    for (VstIntPtr program : {VstIntPtr{-1}, VstIntPtr{16}, VstIntPtr{-2147483647 - 1}}) {
        instance.dispatch(effSetProgram, 0, program);
        EXPECT_EQ(instance.dispatch(effGetProgram), 0);
    }
    for (VstInt32 index : {-1, 16, -2147483647 - 1}) {
        char text[32];
        std::memset(text, 'x', sizeof text);
        EXPECT_EQ(instance.dispatch(effGetProgramNameIndexed, index, 0, text), 0) << index;
        EXPECT_EQ(text[0], 'x') << index;
    }
}

TEST_F(Programs, RenamingKeeps24CharactersAndFillsTheRestOfTheBuffer) {
    setProgram(3);
    char longName[] = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
    instance.dispatch(effSetProgramName, 0, 0, longName);
    char text[40];
    std::memset(text, 'x', sizeof text);
    instance.dispatch(effGetProgramName, 0, 0, text);
    EXPECT_EQ(std::string(text), "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(text[25], 'x');  // nothing written past the terminator at 24

    char shortName[] = "Hall";
    instance.dispatch(effSetProgramName, 0, 0, shortName);
    EXPECT_EQ(instance.text(effGetProgramName), "Hall");
    setProgram(0);
    EXPECT_EQ(instance.text(effGetProgramNameIndexed, 3), "Hall");
    EXPECT_EQ(instance.text(effGetProgramName), "Default");
}

// Values outside 0..1 read back unchanged but never move a delay outside
// its buffer: below 0 (and NaN) acts as 0, above 1 as 1.
TEST_F(Programs, OutOfRangeValuesAreKeptButClampedWhereTheyPlaceSamples) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { float delay; std::size_t offset; };
    for (const Case c : {Case{-1.0f, 0}, Case{-inf, 0}, Case{nan, 0}, Case{2.0f, 66150}, Case{inf, 66150},
                         Case{1e30f, 66150}}) {
        PluginInstance fresh(module);
        for (VstInt32 index : {pW1Delay, pW2Delay}) fresh.setParameter(index, c.delay);
        for (VstInt32 index : {pW1Pitch, pW2Pitch, pAngle, pInMix}) fresh.setParameter(index, c.delay);
        for (VstInt32 index : {pW1Delay, pW1Pitch, pAngle, pInMix}) {
            const float back = fresh.getParameter(index);
            if (std::isnan(c.delay)) EXPECT_TRUE(std::isnan(back));
            else EXPECT_EQ(back, c.delay);
        }
        // Pitch stays unshifted so the reflection is a plain copy.
        for (VstInt32 index : {pW1Pitch, pW2Pitch, pAngle, pInMix}) fresh.setParameter(index, 0.5f);
        fresh.setParameter(pW1Pitch, kThird);
        fresh.setParameter(pW2Pitch, kThird);
        fresh.setParameter(pInMix, 0.0f);
        fresh.setParameter(pW2Enable, c.delay);  // NaN counts as on; 2.0 and infinity too
        const StereoSignal out = runOn(fresh, impulse(c.offset + 10), {4096});
        const bool wall2On = !(c.delay < 0.5f);
        std::vector<std::size_t> expected{c.offset};
        EXPECT_EQ(nonZeroFrames(out), expected) << c.delay;
        EXPECT_EQ(out.left[c.offset], wall2On && c.offset == 0 ? 2.0f : 1.0f) << c.delay;
    }
}

// Extreme values in every parameter at once: processing and every display
// stay well-defined (the sanitizers would catch any conversion out of range).
TEST_F(Programs, ExtremeValuesEverywhereKeepProcessingFinite) {
    const float values[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), -3e38f, 3e38f, -0.0f};
    for (float v : values) {
        PluginInstance fresh(module);
        for (VstInt32 i = 0; i < 9; ++i) fresh.setParameter(i, v);
        for (VstInt32 i = 0; i < 9; ++i) {
            EXPECT_FALSE(fresh.text(effGetParamDisplay, i).empty()) << v << " " << i;
        }
        fresh.setParameter(pInMix, 1.0f);
        StereoSignal in(1024);
        for (std::size_t i = 0; i < in.size(); ++i) in.left[i] = std::sin(0.05f * static_cast<float>(i));
        const StereoSignal out = runOn(fresh, in, {256});
        for (std::size_t i = 0; i < out.size(); ++i) {
            ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << v << " at " << i;
        }
    }
}

}  // namespace
