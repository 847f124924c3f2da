// The base effect class as a host meets it: the record after construction,
// the six entries, the base dispatcher's answers, the editor opcodes, closing,
// the host calls 0 to 4 and the record's flag setters. Requests go through
// the record's function pointers, exactly as a host sends them.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "AudioEffect.h"
#include "PluginHost.h"
#include "TestEffect.h"

namespace {

using Log = std::vector<std::string>;

// Nothing but the base class: every answer here is AudioEffect's own.
class BaseEffect : public AudioEffect {
public:
    BaseEffect(audioMasterCallback audioMaster, VstInt32 programs, VstInt32 params, Log* events = nullptr)
        : AudioEffect(audioMaster, programs, params), events(events) {}
    ~BaseEffect() override {
        if (events) events->push_back("destroyed");
    }
    void close() override {
        if (events) events->push_back("close");
    }
    void processReplacing(float**, float**, VstInt32) override {}
    Log* events;
};

// The test effect, with the text and program-name operations logged too and
// its end reported to a log that outlives it.
class ProbeEffect : public TestEffect {
public:
    explicit ProbeEffect(audioMasterCallback audioMaster, Log* events = nullptr)
        : TestEffect(audioMaster), events(events) {}
    ~ProbeEffect() override {
        if (events) events->push_back("destroyed");
    }
    void close() override {
        TestEffect::close();
        if (events) events->push_back("close");
    }
    void setProgramName(char* name) override { log.push_back(std::string("setProgramName ") + name); }
    void getProgramName(char* name) override {
        log.push_back("getProgramName");
        TestEffect::getProgramName(name);
    }
    void getParameterLabel(VstInt32 index, char* text) override {
        log.push_back("getParameterLabel " + std::to_string(index));
        TestEffect::getParameterLabel(index, text);
    }
    void getParameterDisplay(VstInt32 index, char* text) override {
        log.push_back("getParameterDisplay " + std::to_string(index));
        TestEffect::getParameterDisplay(index, text);
    }
    void getParameterName(VstInt32 index, char* text) override {
        log.push_back("getParameterName " + std::to_string(index));
        TestEffect::getParameterName(index, text);
    }
    void setSampleRate(float rate) override {
        log.push_back("setSampleRate " + std::to_string(rate));
        TestEffect::setSampleRate(rate);
    }
    void setBlockSize(VstInt32 size) override {
        log.push_back("setBlockSize " + std::to_string(size));
        TestEffect::setBlockSize(size);
    }
    void process(float** inputs, float** outputs, VstInt32 frames) override {
        log.push_back("process " + std::to_string(frames));
        TestEffect::process(inputs, outputs, frames);
    }
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) override {
        log.push_back("processDoubleReplacing " + std::to_string(frames));
        TestEffect::processDoubleReplacing(inputs, outputs, frames);
    }
    Log* events;
};

// An editor that reports what reaches it.
class FakeEditor : public AEffEditor {
public:
    FakeEditor(Log* calls, bool succeed) : calls(calls), succeed(succeed) {}
    ~FakeEditor() override { calls->push_back("editor destroyed"); }
    bool getRect(ERect** rect) override {
        calls->push_back("getRect");
        *rect = &area;
        return succeed;
    }
    bool open(void* parent) override {
        calls->push_back(parent ? "open window" : "open null");
        return succeed;
    }
    void close() override { calls->push_back("close"); }
    void idle() override { calls->push_back("idle"); }
    bool onKeyDown(VstKeyCode&) override { return false; }
    bool onKeyUp(VstKeyCode&) override { return false; }
    bool setKnobMode(VstInt32) override { return false; }

    ERect area{0, 0, 100, 200};
    Log* calls;
    bool succeed;
};

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// A host's view of one instance: made by the test, closed through the record.
class BaseDispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        effect = new ProbeEffect(RecordingHost::callback, &events);
        record = effect->getAeffect();
    }
    void TearDown() override {
        if (record) {
            EXPECT_EQ(dispatch(record, effClose), 1);
        }
    }
    RecordingHost host;
    Log events;
    ProbeEffect* effect = nullptr;
    AEffect* record = nullptr;
};

constexpr VstInt32 kNoEf = 0x4E6F4566;
constexpr VstInt32 kNvEf = 0x4E764566;
// Used only where VstIntPtr is 64 bits wide.
constexpr std::int64_t kBit32 = std::int64_t{1} << 32;

TEST(AudioEffectRecord, AfterConstruction) {
    Log events;
    auto* effect = new BaseEffect(RecordingHost::callback, 7, 5, &events);
    AEffect* e = effect->getAeffect();
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_NE(e->dispatcher, nullptr);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->setParameter, nullptr);
    EXPECT_NE(e->getParameter, nullptr);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->processDoubleReplacing, nullptr);
    EXPECT_EQ(e->numPrograms, 7);
    EXPECT_EQ(e->numParams, 5);
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsCanReplacing);
    EXPECT_EQ(e->resvd1, 0);
    EXPECT_EQ(e->resvd2, 0);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->object, static_cast<AudioEffect*>(effect));
    EXPECT_EQ(e->user, nullptr);
    EXPECT_EQ(e->uniqueID, kNoEf);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(std::memcmp(e->future, std::vector<char>(sizeof e->future, 0).data(), sizeof e->future), 0);
    // The record is part of the object, so its address never changes.
    EXPECT_EQ(effect->getAeffect(), e);
    EXPECT_GE(reinterpret_cast<char*>(e), reinterpret_cast<char*>(effect));
    EXPECT_LT(reinterpret_cast<char*>(e), reinterpret_cast<char*>(effect) + sizeof(BaseEffect));

    EXPECT_EQ(effect->getSampleRate(), 44100.0f);
    EXPECT_EQ(effect->getBlockSize(), 1024);
    EXPECT_EQ(effect->getProgram(), 0);
    EXPECT_EQ(effect->getEditor(), nullptr);
    EXPECT_EQ(effect->getParameter(0), 0.0f);
    EXPECT_EQ(effect->getVu(), 0.0f);

    EXPECT_EQ(dispatch(e, effClose), 1);
    EXPECT_EQ(events, (Log{"close", "destroyed"}));
}

TEST_F(BaseDispatcher, EntriesReachTheVirtualOperations) {
    record->setParameter(record, 1, 0.5f);
    EXPECT_EQ(record->getParameter(record, 1), 0.5f);
    EXPECT_EQ(record->getParameter(record, 0), 0.0f);

    float in[4] = {1, 2, 3, 4}, out[4] = {9, 9, 9, 9};
    float* ins[2] = {in, in};
    float* outs[2] = {out, out};
    record->processReplacing(record, ins, outs, 4);
    EXPECT_EQ(out[3], 0.0f);  // the test effect scales by parameter 0, still 0
    record->setParameter(record, 0, 0.5f);
    record->processReplacing(record, ins, outs, 4);
    EXPECT_EQ(out[3], 2.0f);
    EXPECT_EQ(out[0], 0.5f);

    // Deprecated accumulating and double processing reach their (empty) operations.
    float acc[4] = {7, 7, 7, 7};
    float* accs[2] = {acc, acc};
    record->process(record, ins, accs, 4);
    double din[2] = {1, 1}, dout[2] = {5, 5};
    double* dins[2] = {din, din};
    double* douts[2] = {dout, dout};
    record->processDoubleReplacing(record, dins, douts, 2);
    EXPECT_EQ(acc[0], 7.0f);
    EXPECT_EQ(dout[0], 5.0);
    EXPECT_EQ(effect->log, (Log{"setParameter 1 0.500000", "setParameter 0 0.500000", "process 4",
                                "processDoubleReplacing 2"}));
}

struct OpcodeCase {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    VstIntPtr answer;
    Log log;  // what the effect saw
};

TEST_F(BaseDispatcher, AnswersOpcodesZeroToTwentyFour) {
    const OpcodeCase cases[] = {
        {effOpen, 0, 0, 0.0f, 0, {"open"}},
        {effSetProgram, 0, 2, 0.0f, 0, {"setProgram 2"}},
        {effGetProgram, 0, 0, 0.0f, 2, {}},  // the program just set
        {effSetProgramName, 0, 0, 0.0f, 0, {"setProgramName text"}},
        {effGetProgramName, 0, 0, 0.0f, 0, {"getProgramName"}},
        {effGetParamLabel, 1, 0, 0.0f, 0, {"getParameterLabel 1"}},
        {effGetParamDisplay, 5, 0, 0.0f, 0, {"getParameterDisplay 5"}},
        {effGetParamName, -3, 0, 0.0f, 0, {"getParameterName -3"}},
        {effGetVu, 0, 0, 0.0f, 0, {}},
        {effSetSampleRate, 0, 0, 48000.0f, 0, {"setSampleRate 48000.000000"}},
        {effSetBlockSize, 0, 512, 0.0f, 0, {"setBlockSize 512"}},
        {effMainsChanged, 0, 0, 0.0f, 0, {"suspend"}},
        {effMainsChanged, 0, 1, 0.0f, 0, {"resume"}},
        {effMainsChanged, 0, -1, 0.0f, 0, {"resume"}},
        {effMainsChanged, 0, 7, 0.0f, 0, {"resume"}},
        {effEditGetRect, 0, 0, 0.0f, 0, {}},
        {effEditOpen, 0, 0, 0.0f, 0, {}},
        {effEditClose, 0, 0, 0.0f, 0, {}},
        {effEditDraw, 0, 0, 0.0f, 0, {}},
        {effEditMouse, 0, 0, 0.0f, 0, {}},
        {effEditKey, 0, 0, 0.0f, 0, {}},
        {effEditIdle, 0, 0, 0.0f, 0, {}},
        {effEditTop, 0, 0, 0.0f, 0, {}},
        {effEditSleep, 0, 0, 0.0f, 0, {}},
        {effIdentify, 0, 0, 0.0f, kNvEf, {}},
        {effIdentify, -9, 123, 2.5f, kNvEf, {}},
        {effGetChunk, 0, 0, 0.0f, 0, {"getChunk bank"}},
        {effGetChunk, 1, 0, 0.0f, 0, {"getChunk preset"}},
        {effGetChunk, -1, 0, 0.0f, 0, {"getChunk preset"}},
        {effSetChunk, 0, 100, 0.0f, 0, {"setChunk 100 bank"}},
        {effSetChunk, 256, 100, 0.0f, 0, {"setChunk 100 preset"}},
    };
    for (const OpcodeCase& c : cases) {
        effect->log.clear();
        char text[64] = "text";
        EXPECT_EQ(dispatch(record, c.opcode, c.index, c.value, text, c.opt), c.answer) << "opcode " << c.opcode;
        EXPECT_EQ(effect->log, c.log) << "opcode " << c.opcode;
    }
    // The state those requests changed, read back as a host would.
    EXPECT_EQ(effect->getSampleRate(), 48000.0f);
    EXPECT_EQ(effect->getBlockSize(), 512);
}

TEST_F(BaseDispatcher, TextOpcodesGiveTheEmptyTextByDefault) {
    for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName}) {
        char text[32];
        std::memset(text, 'x', sizeof text);
        dispatch(record, opcode, 0, 0, text);
        EXPECT_EQ(text[0], 0) << opcode;
        EXPECT_EQ(text[1], 'x') << "only the terminator is written, opcode " << opcode;
    }
}

TEST_F(BaseDispatcher, SetProgramKeepsWithinTheProgramCount) {
    // The test effect has 3 programs.
    struct {
        VstIntPtr value;
        VstInt32 programAfter;
    } const cases[] = {
        {2, 2}, {3, 2}, {-1, 2}, {0, 0}, {4, 0}, {std::numeric_limits<VstInt32>::max(), 0},
        {std::numeric_limits<VstIntPtr>::min(), 0}, {1, 1}, {std::numeric_limits<VstIntPtr>::max(), 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dispatch(record, effSetProgram, 0, c.value), 0) << c.value;
        EXPECT_EQ(dispatch(record, effGetProgram), c.programAfter) << c.value;
    }
    if constexpr (sizeof(VstIntPtr) > 4) {
        // A 64-bit value whose low 32 bits are a valid program is still out of range.
        effect->log.clear();
        dispatch(record, effSetProgram, 0, static_cast<VstIntPtr>(kBit32 + 2));
        EXPECT_EQ(dispatch(record, effGetProgram), 1);
        EXPECT_TRUE(effect->log.empty());
    }
}

TEST_F(BaseDispatcher, UnknownOpcodesAnswerZeroAndChangeNothing) {
    const VstInt32 opcodes[] = {-1, -2, -25, std::numeric_limits<VstInt32>::min(), 80, 81, 100, 1000, 1 << 20,
                                std::numeric_limits<VstInt32>::max()};
    const AEffect before = *record;
    for (VstInt32 opcode : opcodes) {
        char text[16] = "unchanged";
        EXPECT_EQ(dispatch(record, opcode, 1, 1, text, 1.0f), 0) << opcode;
        EXPECT_STREQ(text, "unchanged") << opcode;
    }
    EXPECT_TRUE(effect->log.empty());
    EXPECT_EQ(std::memcmp(&before, record, sizeof before), 0);
    EXPECT_TRUE(host.calls.empty());
}

TEST(AudioEffectDispatcher, BaseAnswersZeroToEveryOpcodeAboveTwentyFour) {
    Log events;
    auto* effect = new BaseEffect(RecordingHost::callback, 4, 2, &events);
    AEffect* e = effect->getAeffect();
    const AEffect before = *e;
    char text[64] = "unchanged";
    for (VstInt32 opcode = effProcessEvents; opcode <= 200; ++opcode)
        EXPECT_EQ(dispatch(e, opcode, 1, 1, text, 1.0f), 0) << opcode;
    for (VstInt32 opcode : {-1, std::numeric_limits<VstInt32>::min(), std::numeric_limits<VstInt32>::max()})
        EXPECT_EQ(dispatch(e, opcode, 1, 1, text, 1.0f), 0) << opcode;
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(std::memcmp(&before, e, sizeof before), 0);
    EXPECT_EQ(dispatch(e, effClose), 1);
    EXPECT_EQ(events, (Log{"close", "destroyed"}));
}

TEST_F(BaseDispatcher, CloseThroughTheRecordAnswersOneAndDestroysTheObject) {
    // The dispatcher itself answers 0 to effClose; only the entry destroys.
    EXPECT_EQ(effect->dispatcher(effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(events, (Log{"close"}));
    events.clear();
    EXPECT_EQ(dispatch(record, effClose), 1);
    record = nullptr;
    EXPECT_EQ(events, (Log{"close", "destroyed"}));
}

TEST(AudioEffectEditor, ForwardedOnlyWhenAttachedAndDeletedWithTheEffect) {
    for (bool succeed : {true, false}) {
        Log calls;
        auto* effect = new ProbeEffect(RecordingHost::callback);
        AEffect* e = effect->getAeffect();
        effect->attachEditor(new FakeEditor(&calls, succeed));
        ERect* rect = nullptr;
        int window = 0;
        EXPECT_EQ(dispatch(e, effEditGetRect, 0, 0, &rect), succeed ? 1 : 0);
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->right, 200);
        EXPECT_EQ(dispatch(e, effEditOpen, 0, 0, &window), succeed ? 1 : 0);
        EXPECT_EQ(dispatch(e, effEditIdle), 0);
        for (VstInt32 opcode : {effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep})
            EXPECT_EQ(dispatch(e, opcode, 0, 0, &window), 0) << opcode;
        EXPECT_EQ(dispatch(e, effEditClose), 0);
        EXPECT_EQ(calls, (Log{"getRect", "open window", "idle", "close"}));
        EXPECT_EQ(dispatch(e, effClose), 1);
        EXPECT_EQ(calls.back(), "editor destroyed");
    }
}

// ---- Host calls 0 to 4 ----

struct HostCallCase {
    const char* name;
    VstInt32 (*call)(AudioEffect&);  // the result as an integer (bools as 0/1)
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
};

const HostCallCase kHostCalls[] = {
    {"getMasterVersion", [](AudioEffect& fx) { return fx.getMasterVersion(); }, audioMasterVersion, 0, 0},
    {"getCurrentUniqueId", [](AudioEffect& fx) { return fx.getCurrentUniqueId(); }, audioMasterCurrentId, 0, 0},
    {"masterIdle", [](AudioEffect& fx) { fx.masterIdle(); return 0; }, audioMasterIdle, 0, 0},
    {"isInputConnected(3)", [](AudioEffect& fx) { return VstInt32{fx.isInputConnected(3)}; },
     audioMasterPinConnected, 3, 0},
    {"isOutputConnected(5)", [](AudioEffect& fx) { return VstInt32{fx.isOutputConnected(5)}; },
     audioMasterPinConnected, 5, 1},
};

TEST(AudioEffectHostCalls, SendTheRecordAndTheirArguments) {
    BaseEffect effect(RecordingHost::callback, 1, 1);
    for (const HostCallCase& c : kHostCalls) {
        RecordingHost host;
        c.call(effect);
        ASSERT_EQ(host.calls.size(), 1u) << c.name;
        const HostCall& sent = host.calls[0];
        EXPECT_EQ(sent.effect, effect.getAeffect()) << c.name;
        EXPECT_EQ(sent.opcode, c.opcode) << c.name;
        EXPECT_EQ(sent.index, c.index) << c.name;
        EXPECT_EQ(sent.value, c.value) << c.name;
        EXPECT_EQ(sent.ptr, nullptr) << c.name;
        EXPECT_EQ(sent.opt, 0.0f) << c.name;
    }
}

TEST(AudioEffectHostCalls, ResultsForEachHostAnswer) {
    // Expected results of version, unique id, input pin, output pin.
    struct {
        VstIntPtr hostAnswer;
        VstInt32 version, uniqueId;
        bool inputConnected, outputConnected;
    } const cases[] = {
        {0, 1, 0, true, true},
        {1, 1, 1, false, false},
        {2400, 2400, 2400, false, false},
        {-1, -1, -1, false, false},
        {kNoEf, kNoEf, kNoEf, false, false},
    };
    BaseEffect effect(RecordingHost::callback, 1, 1);
    for (const auto& c : cases) {
        RecordingHost host;
        host.answer = [&c](const HostCall&) { return c.hostAnswer; };
        EXPECT_EQ(effect.getMasterVersion(), c.version) << c.hostAnswer;
        EXPECT_EQ(effect.getCurrentUniqueId(), c.uniqueId) << c.hostAnswer;
        EXPECT_EQ(effect.isInputConnected(0), c.inputConnected) << c.hostAnswer;
        EXPECT_EQ(effect.isOutputConnected(0), c.outputConnected) << c.hostAnswer;
    }
    if constexpr (sizeof(VstIntPtr) > 4) {
        // A non-zero answer is never read as 0, even when its low 32 bits are.
        RecordingHost host;
        host.answer = [](const HostCall&) { return static_cast<VstIntPtr>(kBit32); };
        EXPECT_FALSE(effect.isInputConnected(0));
        EXPECT_FALSE(effect.isOutputConnected(0));
        EXPECT_NE(effect.getMasterVersion(), 0);
    }
}

TEST(AudioEffectHostCalls, WithoutCallbackGiveTheFallbacksAndSendNothing) {
    RecordingHost host;  // would see any call that went through its callback
    BaseEffect effect(nullptr, 1, 1);
    EXPECT_EQ(effect.getMasterVersion(), 1);
    EXPECT_EQ(effect.getCurrentUniqueId(), 0);
    effect.masterIdle();
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_TRUE(effect.isOutputConnected(0));
    effect.setParameterAutomated(0, 0.5f);
    EXPECT_TRUE(host.calls.empty());

    ProbeEffect probe(nullptr);
    probe.setParameterAutomated(1, 0.75f);  // the local step still happens
    EXPECT_EQ(probe.getParameter(1), 0.75f);
    EXPECT_TRUE(host.calls.empty());
}

TEST(AudioEffectHostCalls, AutomationSetsTheParameterBeforeTellingTheHost) {
    RecordingHost host;
    ProbeEffect effect(RecordingHost::callback);
    Log seenByHost;
    host.answer = [&](const HostCall&) -> VstIntPtr {
        seenByHost = effect.log;
        return 0;
    };
    effect.setParameterAutomated(3, 0.25f);
    EXPECT_EQ(effect.log, (Log{"setParameter 3 0.250000"}));
    EXPECT_EQ(seenByHost, effect.log);
    ASSERT_EQ(host.calls.size(), 1u);
    const HostCall& sent = host.calls[0];
    EXPECT_EQ(sent.effect, effect.getAeffect());
    EXPECT_EQ(sent.opcode, audioMasterAutomate);
    EXPECT_EQ(sent.index, 3);
    EXPECT_EQ(sent.value, 0);
    EXPECT_EQ(sent.ptr, nullptr);
    EXPECT_EQ(sent.opt, 0.25f);
}

// ---- Record set-up ----

TEST(AudioEffectFlags, EachSetterChangesOnlyItsBit) {
    struct {
        const char* name;
        void (*set)(AudioEffect&, bool);
        VstInt32 bit;
    } const setters[] = {
        {"canProcessReplacing", [](AudioEffect& fx, bool on) { fx.canProcessReplacing(on); }, 0x10},
        {"canDoubleReplacing", [](AudioEffect& fx, bool on) { fx.canDoubleReplacing(on); }, 0x1000},
        {"programsAreChunks", [](AudioEffect& fx, bool on) { fx.programsAreChunks(on); }, 0x20},
        {"hasVu", [](AudioEffect& fx, bool on) { fx.hasVu(on); }, 0x4},
        {"hasClip", [](AudioEffect& fx, bool on) { fx.hasClip(on); }, 0x2},
        {"canMono", [](AudioEffect& fx, bool on) { fx.canMono(on); }, 0x8},
    };
    BaseEffect effect(nullptr, 1, 1);
    AEffect* e = effect.getAeffect();
    for (const auto& s : setters) {
        for (VstInt32 start : {0, 0x10, -1, 0x5555, 0x2AAA}) {
            e->flags = start;
            s.set(effect, true);
            EXPECT_EQ(e->flags, start | s.bit) << s.name << " on from " << start;
            s.set(effect, false);
            EXPECT_EQ(e->flags, start & ~s.bit) << s.name << " off from " << start;
        }
    }
    BaseEffect fresh(nullptr, 1, 1);
    fresh.canProcessReplacing(false);
    EXPECT_EQ(fresh.getAeffect()->flags, 0);
    fresh.hasVu(true);
    EXPECT_EQ(fresh.getAeffect()->flags, 0x4);
}

TEST(AudioEffectRecord, SettersStoreOnlyTheirField) {
    struct {
        const char* name;
        void (*set)(AudioEffect&);
        std::size_t offset;
        VstInt32 stored;
    } const setters[] = {
        {"setUniqueID", [](AudioEffect& fx) { fx.setUniqueID(0x514F566C); }, offsetof(AEffect, uniqueID), 0x514F566C},
        {"setNumInputs", [](AudioEffect& fx) { fx.setNumInputs(2); }, offsetof(AEffect, numInputs), 2},
        {"setNumOutputs", [](AudioEffect& fx) { fx.setNumOutputs(6); }, offsetof(AEffect, numOutputs), 6},
        {"setInitialDelay", [](AudioEffect& fx) { fx.setInitialDelay(4410); }, offsetof(AEffect, initialDelay), 4410},
        {"setRealtimeQualities", [](AudioEffect& fx) { fx.setRealtimeQualities(3); }, offsetof(AEffect, realQualities), 3},
        {"setOfflineQualities", [](AudioEffect& fx) { fx.setOfflineQualities(4); }, offsetof(AEffect, offQualities), 4},
    };
    for (const auto& s : setters) {
        BaseEffect effect(nullptr, 1, 1);
        AEffect expected = *effect.getAeffect();
        std::memcpy(reinterpret_cast<char*>(&expected) + s.offset, &s.stored, sizeof s.stored);
        s.set(effect);
        EXPECT_EQ(std::memcmp(&expected, effect.getAeffect(), sizeof expected), 0) << s.name;
    }
}

}  // namespace
