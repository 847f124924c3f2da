// The extended dispatcher, resume's request for events, the flag setters and
// editor forwarding, driven through the plug-in record as a host drives it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "TestEffect.h"

namespace {

VstIntPtr dispatch(AudioEffect& effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
    AEffect* record = effect.getAeffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

// ---- Default answers, from the test module loaded as a host loads it ----

enum class Answer { Zero, One, VstVersion, MinusOne, TheValue };

struct DefaultRow {
    VstInt32 opcode;
    Answer answer;
};

// Every opcode from 25 to 79 except 69 (which writes through its pointers,
// tested below), the twelve without a case included.
const DefaultRow kDefaults[] = {
    {effProcessEvents, Answer::Zero},
    {effCanBeAutomated, Answer::One},
    {effString2Parameter, Answer::Zero},
    {effGetNumProgramCategories, Answer::Zero},  // does not reach getNumCategories (1)
    {effGetProgramNameIndexed, Answer::Zero},
    {effCopyProgram, Answer::Zero},
    {effConnectInput, Answer::Zero},
    {effConnectOutput, Answer::Zero},
    {effGetInputProperties, Answer::Zero},
    {effGetOutputProperties, Answer::Zero},
    {effGetPlugCategory, Answer::Zero},
    {effGetCurrentPosition, Answer::Zero},
    {effGetDestinationBuffer, Answer::Zero},
    {effOfflineNotify, Answer::Zero},
    {effOfflinePrepare, Answer::Zero},
    {effOfflineRun, Answer::Zero},
    {effProcessVarIo, Answer::Zero},
    {effSetSpeakerArrangement, Answer::Zero},
    {effSetBlockSizeAndSampleRate, Answer::Zero},
    {effSetBypass, Answer::Zero},
    {effGetEffectName, Answer::Zero},
    {effGetErrorText, Answer::Zero},
    {effGetVendorString, Answer::Zero},
    {effGetProductString, Answer::Zero},
    {effGetVendorVersion, Answer::Zero},
    {effVendorSpecific, Answer::Zero},
    {effCanDo, Answer::Zero},
    {effGetTailSize, Answer::Zero},
    {effIdle, Answer::Zero},
    {effGetIcon, Answer::Zero},
    {effSetViewPosition, Answer::Zero},
    {effGetParameterProperties, Answer::Zero},
    {effKeysRequired, Answer::Zero},
    {effGetVstVersion, Answer::VstVersion},
    {effEditKeyDown, Answer::Zero},
    {effEditKeyUp, Answer::Zero},
    {effSetEditKnobMode, Answer::Zero},
    {effGetMidiProgramName, Answer::Zero},
    {effGetCurrentMidiProgram, Answer::MinusOne},
    {effGetMidiProgramCategory, Answer::Zero},
    {effHasMidiProgramsChanged, Answer::Zero},
    {effGetMidiKeyName, Answer::Zero},
    {effBeginSetProgram, Answer::Zero},
    {effEndSetProgram, Answer::Zero},
    {effShellGetNextPlugin, Answer::Zero},
    {effStartProcess, Answer::Zero},
    {effStopProcess, Answer::Zero},
    {effSetTotalSampleToProcess, Answer::TheValue},
    {effSetPanLaw, Answer::Zero},
    {effBeginLoadBank, Answer::Zero},
    {effBeginLoadProgram, Answer::Zero},
    {effSetProcessPrecision, Answer::Zero},
    {effGetNumMidiInputChannels, Answer::Zero},
    {effGetNumMidiOutputChannels, Answer::Zero},
};

VstIntPtr expected(Answer answer, VstIntPtr value) {
    switch (answer) {
        case Answer::One: return 1;
        case Answer::VstVersion: return 2400;
        case Answer::MinusOne: return -1;
        case Answer::TheValue: return value;
        case Answer::Zero: break;
    }
    return 0;
}

TEST(ExtendedDispatcher, DefaultAnswersLeaveThePointerAndTheHostAlone) {
    static_assert(std::size(kDefaults) == 79 - 25);  // 25..79 without 69
    PluginModule module(testModulePath());
    RecordingHost host;
    PluginInstance instance(module);
    host.calls.clear();

    struct Arguments {
        VstInt32 index;
        VstIntPtr value;
        float opt;
    };
    const Arguments arguments[] = {{0, 0, 0.0f}, {9, 44100, 0.5f}, {-1, -1, -1.0f}, {1000, 2, 1.0f}};
    for (const auto& row : kDefaults) {
        for (const auto& a : arguments) {
            unsigned char buffer[512];
            std::memset(buffer, 0xa5, sizeof buffer);
            if (row.opcode == effCanDo || row.opcode == effString2Parameter) std::strcpy(reinterpret_cast<char*>(buffer), "receiveVstMidiEvent");
            unsigned char before[sizeof buffer];
            std::memcpy(before, buffer, sizeof buffer);

            EXPECT_EQ(instance.dispatch(row.opcode, a.index, a.value, buffer, a.opt), expected(row.answer, a.value))
                << "opcode " << row.opcode << " index " << a.index << " value " << a.value;
            EXPECT_EQ(std::memcmp(before, buffer, sizeof buffer), 0) << "opcode " << row.opcode << " wrote through ptr";
        }
    }
    EXPECT_TRUE(host.calls.empty()) << "a default answer called the host";
}

TEST(ExtendedDispatcher, CanDoAnswersZeroForEveryText) {
    PluginModule module(testModulePath());
    PluginInstance instance(module);
    for (const char* text : {"receiveVstMidiEvent", "", "sendVstEvents", "bypass"}) {
        std::string copy = text;
        EXPECT_EQ(instance.dispatch(effCanDo, 0, 0, copy.data()), 0) << '"' << text << '"';
    }
}

TEST(ExtendedDispatcher, OpcodesOutsideTheTableReachTheBaseDispatcher) {
    PluginModule module(testModulePath());
    PluginInstance instance(module);
    for (VstInt32 opcode : {80, 81, 1000, -1, std::numeric_limits<VstInt32>::min()})
        EXPECT_EQ(instance.dispatch(opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
    // Below 25 the base still answers.
    EXPECT_EQ(instance.dispatch(effIdentify), fourCharCode('N', 'v', 'E', 'f'));
    instance.dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(instance.dispatch(effGetProgram), 2);
    char name[32] = "unchanged";
    instance.dispatch(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "");
}

// ---- getSpeakerArrangement (69) and null pointers ----

TEST(ExtendedDispatcher, GetSpeakerArrangementStoresNullAndAnswersZero) {
    PluginModule module(testModulePath());
    PluginInstance instance(module);
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(ExtendedDispatcher, GetSpeakerArrangementWritesNothingThroughANullAddress) {
    PluginModule module(testModulePath());
    PluginInstance instance(module);
    VstSpeakerArrangement dummy{};

    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ(output, nullptr);

    VstSpeakerArrangement* input = &dummy;
    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), nullptr), 0);
    EXPECT_EQ(input, nullptr);

    EXPECT_EQ(instance.dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST(ExtendedDispatcher, SetSpeakerArrangementAcceptsNullArrangements) {
    PluginModule module(testModulePath());
    PluginInstance instance(module);
    VstSpeakerArrangement output{};
    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, 0, nullptr), 0);
}

// ---- Argument unpacking: an effect that records what each operation receives ----

std::string hex(const void* p) {
    std::ostringstream s;
    s << p;
    return s.str();
}

class ProbeEffect : public TestEffect {
public:
    ProbeEffect() : TestEffect(nullptr) {}
    std::vector<std::string> seen;
    void note(const std::string& s) { seen.push_back(s); }
    static std::string str(const void* p) { return hex(p); }
    static std::string str(bool b) { return b ? "true" : "false"; }
    static std::string str(long long v) { return std::to_string(v); }
    static std::string str(VstInt32 v) { return std::to_string(v); }
    static std::string str(float v) { return std::to_string(v); }

    VstInt32 processEvents(VstEvents* e) override { note("processEvents " + str(e)); return 25; }
    bool canParameterBeAutomated(VstInt32 i) override { note("canParameterBeAutomated " + str(i)); return false; }
    bool string2parameter(VstInt32 i, char* t) override { note("string2parameter " + str(i) + " " + str(t)); return true; }
    bool getProgramNameIndexed(VstInt32 c, VstInt32 i, char* t) override {
        note("getProgramNameIndexed " + str(c) + " " + str(i) + " " + str(t));
        return true;
    }
    bool getInputProperties(VstInt32 i, VstPinProperties* p) override { note("getInputProperties " + str(i) + " " + str(p)); return true; }
    bool getOutputProperties(VstInt32 i, VstPinProperties* p) override { note("getOutputProperties " + str(i) + " " + str(p)); return true; }
    VstInt32 getPlugCategory() override { note("getPlugCategory"); return 35; }
    bool offlineNotify(VstAudioFile* p, VstInt32 n, bool start) override {
        note("offlineNotify " + str(p) + " " + str(n) + " " + str(start));
        return true;
    }
    bool offlinePrepare(VstOfflineTask* p, VstInt32 n) override { note("offlinePrepare " + str(p) + " " + str(n)); return true; }
    bool offlineRun(VstOfflineTask* p, VstInt32 n) override { note("offlineRun " + str(p) + " " + str(n)); return true; }
    bool processVariableIo(VstVariableIo* p) override { note("processVariableIo " + str(p)); return true; }
    bool setSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out) override {
        note("setSpeakerArrangement " + str(in) + " " + str(out));
        return true;
    }
    bool setBypass(bool on) override { note("setBypass " + str(on)); return true; }
    bool getEffectName(char* t) override { note("getEffectName " + str(t)); return true; }
    bool getVendorString(char* t) override { note("getVendorString " + str(t)); return true; }
    bool getProductString(char* t) override { note("getProductString " + str(t)); return true; }
    VstInt32 getVendorVersion() override { note("getVendorVersion"); return 49; }
    VstIntPtr vendorSpecific(VstInt32 a, VstIntPtr b, void* p, float f) override {
        note("vendorSpecific " + str(a) + " " + str(static_cast<long long>(b)) + " " + str(p) + " " + str(f));
        return -50;
    }
    VstInt32 canDo(char* t) override { note("canDo " + str(t)); return -1; }
    VstInt32 getGetTailSize() override { note("getGetTailSize"); return 52; }
    bool getParameterProperties(VstInt32 i, VstParameterProperties* p) override {
        note("getParameterProperties " + str(i) + " " + str(p));
        return true;
    }
    VstInt32 getVstVersion() override { note("getVstVersion"); return 58; }
    VstInt32 getMidiProgramName(VstInt32 c, MidiProgramName* p) override { note("getMidiProgramName " + str(c) + " " + str(p)); return 62; }
    VstInt32 getCurrentMidiProgram(VstInt32 c, MidiProgramName* p) override { note("getCurrentMidiProgram " + str(c) + " " + str(p)); return 63; }
    VstInt32 getMidiProgramCategory(VstInt32 c, MidiProgramCategory* p) override {
        note("getMidiProgramCategory " + str(c) + " " + str(p));
        return 64;
    }
    bool hasMidiProgramsChanged(VstInt32 c) override { note("hasMidiProgramsChanged " + str(c)); return true; }
    bool getMidiKeyName(VstInt32 c, MidiKeyName* p) override { note("getMidiKeyName " + str(c) + " " + str(p)); return true; }
    bool beginSetProgram() override { note("beginSetProgram"); return true; }
    bool endSetProgram() override { note("endSetProgram"); return true; }
    bool getSpeakerArrangement(VstSpeakerArrangement** in, VstSpeakerArrangement** out) override {
        note("getSpeakerArrangement " + str(in) + " " + str(out));
        return true;
    }
    VstInt32 getNextShellPlugin(char* t) override { note("getNextShellPlugin " + str(t)); return 70; }
    VstInt32 startProcess() override { note("startProcess"); return 71; }
    VstInt32 stopProcess() override { note("stopProcess"); return 72; }
    VstInt32 setTotalSampleToProcess(VstInt32 v) override { note("setTotalSampleToProcess " + str(v)); return 73; }
    bool setPanLaw(VstInt32 t, float v) override { note("setPanLaw " + str(t) + " " + str(v)); return true; }
    VstInt32 beginLoadBank(VstPatchChunkInfo* p) override { note("beginLoadBank " + str(p)); return 75; }
    VstInt32 beginLoadProgram(VstPatchChunkInfo* p) override { note("beginLoadProgram " + str(p)); return 76; }
    bool setProcessPrecision(VstInt32 p) override { note("setProcessPrecision " + str(p)); return true; }
    VstInt32 getNumMidiInputChannels() override { note("getNumMidiInputChannels"); return 78; }
    VstInt32 getNumMidiOutputChannels() override { note("getNumMidiOutputChannels"); return 79; }

    // Operations that no opcode reaches: a note here is a routing fault.
    VstInt32 getNumCategories() override { note("getNumCategories"); return 28; }
    bool copyProgram(VstInt32) override { note("copyProgram"); return true; }
    void inputConnected(VstInt32, bool) override { note("inputConnected"); }
    void outputConnected(VstInt32, bool) override { note("outputConnected"); }
    VstInt32 reportCurrentPosition() override { note("reportCurrentPosition"); return 36; }
    float* reportDestinationBuffer() override { note("reportDestinationBuffer"); return params; }
    void setBlockSizeAndSampleRate(VstInt32, float) override { note("setBlockSizeAndSampleRate"); }
    bool getErrorText(char*) override { note("getErrorText"); return true; }
    void* getIcon() override { note("getIcon"); return this; }
    bool setViewPosition(VstInt32, VstInt32) override { note("setViewPosition"); return true; }
    VstInt32 fxIdle() override { note("fxIdle"); return 53; }
    bool keysRequired() override { note("keysRequired"); return true; }
};

TEST(ExtendedDispatcher, UnpacksTheArgumentsAndConvertsTheAnswerOfEachOpcode) {
    ProbeEffect effect;
    char buffer[64] = "";
    void* p = buffer;
    const std::string P = hex(p);
    const VstIntPtr pValue = reinterpret_cast<VstIntPtr>(&effect);
    const std::string V = hex(&effect);

    struct Row {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        float opt;
        VstIntPtr answer;
        std::string call;
    };
    const std::vector<Row> rows = {
        {effProcessEvents, 3, 4, 0.5f, 25, "processEvents " + P},
        {effCanBeAutomated, 7, 4, 0.5f, 0, "canParameterBeAutomated 7"},
        {effString2Parameter, 7, 4, 0.5f, 1, "string2parameter 7 " + P},
        {effGetProgramNameIndexed, 7, 4, 0.5f, 1, "getProgramNameIndexed 4 7 " + P},
        {effGetInputProperties, 7, 4, 0.5f, 1, "getInputProperties 7 " + P},
        {effGetOutputProperties, 7, 4, 0.5f, 1, "getOutputProperties 7 " + P},
        {effGetPlugCategory, 7, 4, 0.5f, 35, "getPlugCategory"},
        {effOfflineNotify, 7, 4, 0.5f, 1, "offlineNotify " + P + " 4 true"},
        {effOfflineNotify, 0, 4, 0.5f, 1, "offlineNotify " + P + " 4 false"},
        {effOfflinePrepare, 7, 4, 0.5f, 1, "offlinePrepare " + P + " 4"},
        {effOfflineRun, 7, 4, 0.5f, 1, "offlineRun " + P + " 4"},
        {effProcessVarIo, 7, 4, 0.5f, 1, "processVariableIo " + P},
        {effSetSpeakerArrangement, 7, pValue, 0.5f, 1, "setSpeakerArrangement " + V + " " + P},
        {effSetBypass, 7, 2, 0.5f, 1, "setBypass true"},
        {effSetBypass, 7, 0, 0.5f, 1, "setBypass false"},
        {effGetEffectName, 7, 4, 0.5f, 1, "getEffectName " + P},
        {effGetVendorString, 7, 4, 0.5f, 1, "getVendorString " + P},
        {effGetProductString, 7, 4, 0.5f, 1, "getProductString " + P},
        {effGetVendorVersion, 7, 4, 0.5f, 49, "getVendorVersion"},
        {effVendorSpecific, 7, 4, 0.5f, -50, "vendorSpecific 7 4 " + P + " 0.500000"},
        {effCanDo, 7, 4, 0.5f, -1, "canDo " + P},
        {effGetTailSize, 7, 4, 0.5f, 52, "getGetTailSize"},
        {effGetParameterProperties, 7, 4, 0.5f, 1, "getParameterProperties 7 " + P},
        {effGetVstVersion, 7, 4, 0.5f, 58, "getVstVersion"},
        {effGetMidiProgramName, 7, 4, 0.5f, 62, "getMidiProgramName 7 " + P},
        {effGetCurrentMidiProgram, 7, 4, 0.5f, 63, "getCurrentMidiProgram 7 " + P},
        {effGetMidiProgramCategory, 7, 4, 0.5f, 64, "getMidiProgramCategory 7 " + P},
        {effHasMidiProgramsChanged, 7, 4, 0.5f, 1, "hasMidiProgramsChanged 7"},
        {effGetMidiKeyName, 7, 4, 0.5f, 1, "getMidiKeyName 7 " + P},
        {effBeginSetProgram, 7, 4, 0.5f, 1, "beginSetProgram"},
        {effEndSetProgram, 7, 4, 0.5f, 1, "endSetProgram"},
        {effGetSpeakerArrangement, 7, pValue, 0.5f, 1, "getSpeakerArrangement " + V + " " + P},
        {effShellGetNextPlugin, 7, 4, 0.5f, 70, "getNextShellPlugin " + P},
        {effStartProcess, 7, 4, 0.5f, 71, "startProcess"},
        {effStopProcess, 7, 4, 0.5f, 72, "stopProcess"},
        {effSetTotalSampleToProcess, 7, 44100, 0.5f, 73, "setTotalSampleToProcess 44100"},
        {effSetPanLaw, 7, 4, 0.5f, 1, "setPanLaw 4 0.500000"},
        {effBeginLoadBank, 7, 4, 0.5f, 75, "beginLoadBank " + P},
        {effBeginLoadProgram, 7, 4, 0.5f, 76, "beginLoadProgram " + P},
        {effSetProcessPrecision, 7, 1, 0.5f, 1, "setProcessPrecision 1"},
        {effGetNumMidiInputChannels, 7, 4, 0.5f, 78, "getNumMidiInputChannels"},
        {effGetNumMidiOutputChannels, 7, 4, 0.5f, 79, "getNumMidiOutputChannels"},
    };
    for (const auto& row : rows) {
        effect.seen.clear();
        EXPECT_EQ(dispatch(effect, row.opcode, row.index, row.value, p, row.opt), row.answer) << "opcode " << row.opcode;
        EXPECT_EQ(effect.seen, std::vector<std::string>{row.call}) << "opcode " << row.opcode;
    }

    // The opcodes without a case reach none of the operations that share
    // their names, whatever those would answer.
    effect.seen.clear();
    for (VstInt32 opcode : {28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57})
        EXPECT_EQ(dispatch(effect, opcode, 1, 1, p, 1.0f), 0) << "opcode " << opcode;
    EXPECT_TRUE(effect.seen.empty()) << effect.seen.front();
}

TEST(ExtendedDispatcher, SetBlockSizeAndSampleRateOpcodeChangesNothing) {
    TestEffect effect(nullptr);
    EXPECT_EQ(dispatch(effect, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}

// ---- Flags and the plug-in category ----

TEST(ExtendedFlags, EachSetterChangesOnlyItsBit) {
    struct Row {
        const char* name;
        void (AudioEffectX::*setter)(bool);
        VstInt32 bit;
    };
    const Row rows[] = {
        {"isSynth", &AudioEffectX::isSynth, 0x100},
        {"noTail", &AudioEffectX::noTail, 0x200},
        {"wantAsyncOperation", &AudioEffectX::wantAsyncOperation, 0x400},
        {"hasExternalBuffer", &AudioEffectX::hasExternalBuffer, 0x800},
    };
    for (const auto& row : rows) {
        for (VstInt32 start : {VstInt32{0}, VstInt32{effFlagsCanReplacing}, VstInt32{~0}}) {
            TestEffect effect(nullptr);
            effect.getAeffect()->flags = start;
            (effect.*row.setter)(true);
            EXPECT_EQ(effect.getAeffect()->flags, start | row.bit) << row.name;
            (effect.*row.setter)(false);
            EXPECT_EQ(effect.getAeffect()->flags, start & ~row.bit) << row.name;
        }
    }
}

TEST(ExtendedFlags, PlugCategoryFollowsOnlyTheSynthFlag) {
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategUnknown);
    effect.isSynth(true);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategSynth);
    effect.noTail(true);
    effect.wantAsyncOperation(true);
    effect.hasExternalBuffer(true);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategSynth);
    effect.isSynth(false);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategUnknown);
    effect.getAeffect()->flags = ~effFlagsIsSynth;  // every other bit, the sign bit included
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategUnknown);
    EXPECT_TRUE(host.calls.empty()) << "flag setters report nothing to the host";
}

// ---- resume's request for events ----

TEST(ExtendedResume, SynthAsksForEventsOnce) {
    PluginModule module(testModulePath());
    RecordingHost host;
    PluginInstance instance(module);
    instance.effect->flags |= effFlagsIsSynth;
    host.calls.clear();
    instance.dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(host.calls.size(), 1u);
    const HostCall& call = host.calls[0];
    EXPECT_EQ(call.effect, instance.effect);
    EXPECT_EQ(call.opcode, audioMasterWantMidi);
    EXPECT_EQ(call.index, 0);
    EXPECT_EQ(call.value, 1);
    EXPECT_EQ(call.ptr, nullptr);
    EXPECT_EQ(call.opt, 0.0f);
}

TEST(ExtendedResume, EffectWithoutMidiLeavesTheHostUncalled) {
    PluginModule module(testModulePath());
    RecordingHost host;
    PluginInstance instance(module);
    host.calls.clear();
    instance.dispatch(effMainsChanged, 0, 1);
    instance.dispatch(effMainsChanged, 0, 0);
    instance.dispatch(effMainsChanged, 0, 7);
    EXPECT_TRUE(host.calls.empty());
}

class MidiEffect : public TestEffect {
public:
    explicit MidiEffect(VstInt32 canDoAnswer) : TestEffect(RecordingHost::callback), canDoAnswer(canDoAnswer) {}
    VstInt32 canDo(char* text) override {
        asked.emplace_back(text);
        return canDoAnswer;
    }
    VstInt32 canDoAnswer;
    std::vector<std::string> asked;
};

TEST(ExtendedResume, AsksItsOwnCanDoAndWantsEventsOnlyForAnAnswerOfOne) {
    struct Row {
        VstInt32 canDoAnswer;
        bool synth;
        std::size_t canDoQueries;
        std::size_t requests;
    };
    const Row rows[] = {
        {1, false, 1, 1}, {0, false, 1, 0}, {-1, false, 1, 0}, {2, false, 1, 0},
        {0, true, 0, 1},  // a synth asks without consulting canDo
        {1, true, 0, 1},
    };
    for (const auto& row : rows) {
        RecordingHost host;
        MidiEffect effect(row.canDoAnswer);
        effect.isSynth(row.synth);
        dispatch(effect, effMainsChanged, 0, 1);
        EXPECT_EQ(effect.asked.size(), row.canDoQueries) << row.canDoAnswer << " synth " << row.synth;
        for (const auto& text : effect.asked) EXPECT_EQ(text, "receiveVstMidiEvent");
        const auto requests = host.callsWith(audioMasterWantMidi);
        ASSERT_EQ(requests.size(), row.requests) << row.canDoAnswer << " synth " << row.synth;
        for (const auto& r : requests) EXPECT_EQ(r.value, 1);
        EXPECT_EQ(host.calls.size(), row.requests) << "the host's own canDo is never asked";
    }
}

TEST(ExtendedResume, WithoutCallbackNothingIsSent) {
    TestEffect effect(nullptr);
    effect.isSynth(true);
    dispatch(effect, effMainsChanged, 0, 1);  // would crash if it called a null callback
    effect.wantEvents(1);
    SUCCEED();
}

// ---- Editor forwarding (59 to 61) ----

class KeyEditor : public AEffEditor {
public:
    bool getRect(ERect**) override { return false; }
    bool open(void*) override { return false; }
    void close() override {}
    void idle() override {}
    bool onKeyDown(VstKeyCode& key) override {
        down.push_back(key);
        return answer;
    }
    bool onKeyUp(VstKeyCode& key) override {
        up.push_back(key);
        return answer;
    }
    bool setKnobMode(VstInt32 mode) override {
        modes.push_back(mode);
        return answer;
    }
    bool answer = true;
    std::vector<VstKeyCode> down, up;
    std::vector<VstInt32> modes;
};

TEST(ExtendedEditor, KeysAndKnobModeReachTheEditor) {
    TestEffect effect(nullptr);
    auto* editor = new KeyEditor;  // owned and deleted by the effect
    effect.attachEditor(editor);

    EXPECT_EQ(dispatch(effect, effEditKeyDown, 'a', 0x1ff, nullptr, 3.9f), 1);
    ASSERT_EQ(editor->down.size(), 1u);
    EXPECT_EQ(editor->down[0].character, 'a');
    EXPECT_EQ(editor->down[0].virt, 0xff);
    EXPECT_EQ(editor->down[0].modifier, 3);

    editor->answer = false;
    EXPECT_EQ(dispatch(effect, effEditKeyUp, 66, 0x12, nullptr, 258.0f), 0);
    ASSERT_EQ(editor->up.size(), 1u);
    EXPECT_EQ(editor->up[0].character, 66);
    EXPECT_EQ(editor->up[0].virt, 0x12);
    EXPECT_EQ(editor->up[0].modifier, 2);  // low 8 bits of 258

    // A modifier with no integer value counts as none.
    for (float odd : {std::nanf(""), 1e20f, -1e20f, std::numeric_limits<float>::infinity()}) {
        dispatch(effect, effEditKeyDown, 1, 1, nullptr, odd);
        EXPECT_EQ(editor->down.back().modifier, 0) << odd;
    }

    editor->answer = true;
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->modes, std::vector<VstInt32>{2});
}

TEST(ExtendedEditor, WithoutEditorTheKeyOpcodesAnswerZero) {
    TestEffect effect(nullptr);
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 'a', 1, nullptr, 1.0f), 0);
    EXPECT_EQ(dispatch(effect, effEditKeyUp, 'a', 1, nullptr, 1.0f), 0);
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, 1), 0);
}

// ---- Direct set-up ----

class SetUpEffect : public TestEffect {
public:
    SetUpEffect() : TestEffect(nullptr) {}
    void setSampleRate(float rate) override {
        log.push_back("setSampleRate");
        TestEffect::setSampleRate(rate);
    }
    void setBlockSize(VstInt32 size) override {
        log.push_back("setBlockSize");
        TestEffect::setBlockSize(size);
    }
};

TEST(ExtendedSetUp, SetBlockSizeAndSampleRateStoresWithoutNotifying) {
    SetUpEffect effect;
    effect.setBlockSizeAndSampleRate(256, 96000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_TRUE(effect.log.empty());
}

}  // namespace
