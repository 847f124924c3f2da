// A host that sends a text request without a buffer gets 0, and the effect's
// text operations are never handed the null pointer.
#include <gtest/gtest.h>

#include <cstring>

#include "PluginHost.h"
#include "TestEffect.h"

namespace {

// Writes into every text buffer it is given, as real effects do.
class WritingEffect : public TestEffect {
public:
    using TestEffect::TestEffect;
    bool string2parameter(VstInt32, char* text) override { return std::strcpy(text, "x") != nullptr; }
    bool getProgramNameIndexed(VstInt32, VstInt32, char* text) override { return std::strcpy(text, "x") != nullptr; }
    bool getEffectName(char* text) override { return std::strcpy(text, "x") != nullptr; }
    bool getVendorString(char* text) override { return std::strcpy(text, "x") != nullptr; }
    bool getProductString(char* text) override { return std::strcpy(text, "x") != nullptr; }
    VstInt32 canDo(char* text) override { return text[0] == 'r' ? 1 : -1; }
    VstInt32 getNextShellPlugin(char* text) override { return text[0] = 0, 1; }
    void setProgramName(char* text) override { (void)std::strlen(text); }
    void getParameterLabel(VstInt32, char* text) override { std::strcpy(text, "x"); }
    void getParameterDisplay(VstInt32, char* text) override { std::strcpy(text, "x"); }
    void getParameterName(VstInt32, char* text) override { std::strcpy(text, "x"); }
};

TEST(NullTextBuffer, EveryTextOpcodeAnswersZeroWithoutTouchingIt) {
    WritingEffect effect(RecordingHost::callback);
    AEffect* e = effect.getAeffect();
    for (VstInt32 opcode : {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay,
                            effGetParamName, effString2Parameter, effGetProgramNameIndexed, effGetEffectName,
                            effGetVendorString, effGetProductString, effCanDo, effShellGetNextPlugin}) {
        EXPECT_EQ(e->dispatcher(e, opcode, 0, 0, nullptr, 0.0f), 0) << opcode;
    }
    // With a buffer the same requests still reach the effect.
    char text[80] = {};
    EXPECT_EQ(e->dispatcher(e, effGetEffectName, 0, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "x");
    e->dispatcher(e, effGetParamName, 0, 0, text, 0.0f);
    EXPECT_STREQ(text, "x");
}

TEST(NullTextBuffer, TheRealEffectSurvivesNullTextRequests) {
    PluginModule module(kelvornModulePath());
    PluginInstance instance(module);
    for (VstInt32 opcode = -5; opcode <= 100; ++opcode) {
        if (opcode == effClose || opcode == effGetChunk || opcode == effSetSpeakerArrangement ||
            opcode == effGetSpeakerArrangement)
            continue;
        for (VstInt32 index : {0, 5, 8, 9, -1}) instance.dispatch(opcode, index, 0, nullptr, 0.0f);
    }
    SUCCEED();
}

}  // namespace
