// What a host shows for the effect: parameter names, labels, value texts at
// two sample rates, and the identity answers.
#include <cstring>
#include <limits>

#include "KelvornHarness.h"

namespace {

using Texts = KelvornHarness;

std::vector<std::string> texts(PluginInstance& plugin, VstInt32 opcode) {
    std::vector<std::string> all;
    for (VstInt32 i = 0; i < 9; ++i) all.push_back(plugin.text(opcode, i));
    return all;
}

TEST_F(Texts, NamesAndLabels) {
    EXPECT_EQ(texts(instance, effGetParamName),
              (std::vector<std::string>{"InMix", "Angle", "W1Delay", "W1Gain", "W1Pitch", "W2Enable", "W2Delay",
                                        "W2Gain", "W2Pitch"}));
    EXPECT_EQ(texts(instance, effGetParamLabel),
              (std::vector<std::string>{"dB", "degrees", "ms", "dB", "", "", "ms", "dB", ""}));
}

TEST_F(Texts, OutOfRangeIndicesLeaveTheBufferUntouched) {
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
        for (VstInt32 index : {9, -1, 1000}) {
            char text[16];
            std::memset(text, 'x', sizeof text);
            instance.dispatch(opcode, index, 0, text);
            EXPECT_EQ(std::string(text, sizeof text), std::string(sizeof text, 'x')) << opcode << " " << index;
        }
    }
}

// The delays stay fixed in samples; their milliseconds follow the host's rate.
TEST_F(Texts, PresetDisplaysAtTwoSampleRates) {
    struct Row { float rate; VstInt32 program; std::vector<std::string> display; };
    const Row rows[] = {
        {44100.0f, 0, {"0.000000", "0.000000", "750.0000", "0.000000", "1.000000", "Off", "750.0000", "0.000000", "1.000000"}},
        {44100.0f, 1, {"0.000000", "-85.9075", "90.90702", "-10.3697", "1.000000", "On", "90.90702", "-10.3697", "1.000000"}},
        {44100.0f, 2, {"0.000000", "-62.7256", "750.0000", "-6.02060", "1.000000", "On", "750.0000", "0.000000", "1.400000"}},
        {44100.0f, 3, {"0.000000", "-27.2718", "840.8843", "-5.02656", "1.000000", "On", "840.8843", "-5.02656", "1.000000"}},
        {44100.0f, 4, {"0.000000", "68.18040", "840.8843", "-5.02656", "1.000000", "On", "119.9773", "0.000000", "1.000000"}},
        {48000.0f, 0, {"0.000000", "0.000000", "689.0625", "0.000000", "1.000000", "Off", "689.0625", "0.000000", "1.000000"}},
        {48000.0f, 1, {"0.000000", "-85.9075", "83.52083", "-10.3697", "1.000000", "On", "83.52083", "-10.3697", "1.000000"}},
        {48000.0f, 4, {"0.000000", "68.18040", "772.5625", "-5.02656", "1.000000", "On", "110.2291", "0.000000", "1.000000"}},
    };
    for (const Row& row : rows) {
        instance.dispatch(effSetSampleRate, 0, 0, nullptr, row.rate);
        setProgram(row.program);
        EXPECT_EQ(texts(instance, effGetParamDisplay), row.display) << row.rate << " Hz, program " << row.program;
    }
}

TEST_F(Texts, DisplaysAtTheMappingsEdges) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case { VstInt32 index; float value; const char* text; };
    const Case cases[] = {
        {pAngle, 0.0f, "-90.0000"},   {pAngle, 0.25f, "-45.0000"}, {pAngle, 0.45f, "-9.00000"},
        {pAngle, 0.46f, "0.000000"},  {pAngle, 0.54f, "0.000000"}, {pAngle, 0.55f, "9.000001"},
        {pAngle, 1.0f, "90.00000"},   {pAngle, 7.0f, "90.00000"},  {pAngle, nan, "-90.0000"},
        {pW1Delay, 0.0f, "0.000000"}, {pW1Delay, 1.0f, "1500.000"}, {pW1Delay, 5.0f, "1500.000"},
        {pW2Delay, 0.08f, "119.9773"}, {pW2Delay, -1.0f, "0.000000"},
        {pW1Gain, 0.5f, "0.000000"},  {pW1Gain, 1.0f, "6.020600"}, {pW1Gain, 0.0f, "-oo"},
        {pW2Gain, nan, "-oo"},
        {pW1Pitch, 0.33333334f, "1.000000"}, {pW1Pitch, 1.0f, "2.000000"}, {pW1Pitch, 0.0f, "0.500000"},
        {pW2Pitch, 100.0f, "2.000000"}, {pW2Pitch, nan, "0.500000"},
        {pW2Enable, 0.5f, "On"},      {pW2Enable, 0.49999997f, "Off"}, {pW2Enable, nan, "On"},
        {pInMix, 0.0f, "-oo"},        {pInMix, nan, "-oo"},         {pInMix, 0.5f, "-6.02060"},
    };
    for (const Case& c : cases) {
        instance.setParameter(c.index, c.value);
        EXPECT_EQ(instance.text(effGetParamDisplay, c.index), c.text) << c.index << " = " << c.value;
    }
}

TEST_F(Texts, IdentityAnswers) {
    char text[80];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(instance.dispatch(effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "QOV - Kelvorn");
    EXPECT_EQ(instance.dispatch(effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "QOV Technologies");
    EXPECT_EQ(instance.dispatch(effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "QOV - Kelvorn");
    EXPECT_EQ(instance.dispatch(effGetVendorVersion), 1000);
}

}  // namespace
