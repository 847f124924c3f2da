// The host-service wrappers: the request each one sends, the conversion of
// the host's answer, and the answers without a host callback.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "TestEffect.h"

namespace {

// Distinct addresses standing in for the records that only travel through.
struct Scratch {
    char text[64] = "";
    alignas(16) unsigned char blocks[8][64] = {};
    template <typename T>
    T* as(int i) {
        return reinterpret_cast<T*>(blocks[i]);
    }
};

VstIntPtr asInt(const void* p) { return reinterpret_cast<VstIntPtr>(p); }

struct Row {
    const char* name;
    std::function<VstIntPtr(AudioEffectX&, Scratch&)> call;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    std::function<void*(Scratch&)> ptr;  // what the request must carry; null when unset
    float opt;
    VstIntPtr hostAnswer;
    VstIntPtr result;  // for hostAnswer; every service gives 0 when the host answers 0
};

std::function<void*(Scratch&)> block(int i) {
    return [i](Scratch& s) -> void* { return s.blocks[i]; };
}
const std::function<void*(Scratch&)> text = [](Scratch& s) -> void* { return s.text; };
const std::function<void*(Scratch&)> none;

// Host answers that look like pointers for the services that return one.
const VstIntPtr kAddress = static_cast<VstIntPtr>(0x12345670);

std::vector<Row> rows() {
    using X = AudioEffectX;
    using S = Scratch;
    return {
        {"getTimeInfo", [](X& e, S&) { return asInt(e.getTimeInfo(3)); }, 7, 0, 3, none, 0.0f, kAddress, kAddress},
        {"tempoAt", [](X& e, S&) { return VstIntPtr{e.tempoAt(100)}; }, 10, 0, 100, none, 0.0f, 1200000, 1200000},
        {"getNumAutomatableParameters", [](X& e, S&) { return VstIntPtr{e.getNumAutomatableParameters()}; }, 11, 0, 0, none, 0.0f, 9, 9},
        {"getParameterQuantization", [](X& e, S&) { return VstIntPtr{e.getParameterQuantization()}; }, 12, 0, 0, none, 0.0f, 4, 4},
        {"ioChanged", [](X& e, S&) { return VstIntPtr{e.ioChanged()}; }, 13, 0, 0, none, 0.0f, -1, 1},
        {"needIdle", [](X& e, S&) { return VstIntPtr{e.needIdle()}; }, 14, 0, 0, none, 0.0f, 2, 1},
        {"sizeWindow", [](X& e, S&) { return VstIntPtr{e.sizeWindow(640, 480)}; }, 15, 640, 480, none, 0.0f, 1, 1},
        {"getInputLatency", [](X& e, S&) { return VstIntPtr{e.getInputLatency()}; }, 18, 0, 0, none, 0.0f, 256, 256},
        {"getOutputLatency", [](X& e, S&) { return VstIntPtr{e.getOutputLatency()}; }, 19, 0, 0, none, 0.0f, 512, 512},
        {"getPreviousPlug", [](X& e, S&) { return asInt(e.getPreviousPlug(5)); }, 20, 0, 0, none, 0.0f, kAddress, kAddress},
        {"getNextPlug", [](X& e, S&) { return asInt(e.getNextPlug(6)); }, 21, 0, 0, none, 0.0f, kAddress, kAddress},
        {"willProcessReplacing", [](X& e, S&) { return VstIntPtr{e.willProcessReplacing()}; }, 22, 0, 0, none, 0.0f, 2, 2},
        {"getCurrentProcessLevel", [](X& e, S&) { return VstIntPtr{e.getCurrentProcessLevel()}; }, 23, 0, 0, none, 0.0f, 3, 3},
        {"getAutomationState", [](X& e, S&) { return VstIntPtr{e.getAutomationState()}; }, 24, 0, 0, none, 0.0f, 4, 4},
        {"offlineStart", [](X& e, S& s) { return VstIntPtr{e.offlineStart(s.as<VstAudioFile>(0), 4, 1)}; }, 25, 1, 4, block(0), 0.0f, 5, 1},
        {"offlineRead source", [](X& e, S& s) { return VstIntPtr{e.offlineRead(s.as<VstOfflineTask>(1), 2, true)}; }, 26, 1, 2, block(1), 0.0f, -3, 1},
        {"offlineRead target", [](X& e, S& s) { return VstIntPtr{e.offlineRead(s.as<VstOfflineTask>(1), 2, false)}; }, 26, 0, 2, block(1), 0.0f, 1, 1},
        {"offlineWrite", [](X& e, S& s) { return VstIntPtr{e.offlineWrite(s.as<VstOfflineTask>(2), 3)}; }, 27, 0, 3, block(2), 0.0f, 1, 1},
        {"offlineGetCurrentPass", [](X& e, S&) { return VstIntPtr{e.offlineGetCurrentPass()}; }, 28, 0, 0, none, 0.0f, 3, 1},
        {"offlineGetCurrentMetaPass", [](X& e, S&) { return VstIntPtr{e.offlineGetCurrentMetaPass()}; }, 29, 0, 0, none, 0.0f, -2, 1},
        {"setOutputSamplerate", [](X& e, S&) { e.setOutputSamplerate(48000.0f); return VstIntPtr{0}; }, 30, 0, 0, none, 48000.0f, 1, 0},
        {"getOutputSpeakerArrangement", [](X& e, S&) { return asInt(e.getOutputSpeakerArrangement()); }, 31, 0, 0, none, 0.0f, kAddress, kAddress},
        {"getHostVendorString", [](X& e, S& s) { return VstIntPtr{e.getHostVendorString(s.text)}; }, 32, 0, 0, text, 0.0f, 1, 1},
        {"getHostProductString", [](X& e, S& s) { return VstIntPtr{e.getHostProductString(s.text)}; }, 33, 0, 0, text, 0.0f, 7, 1},
        {"getHostVendorVersion", [](X& e, S&) { return VstIntPtr{e.getHostVendorVersion()}; }, 34, 0, 0, none, 0.0f, 1234, 1234},
        {"hostVendorSpecific", [](X& e, S& s) { return e.hostVendorSpecific(1, 2, s.blocks[3], 0.5f); }, 35, 1, 2, block(3), 0.5f, -7, -7},
        {"canHostDo", [](X& e, S& s) { return VstIntPtr{e.canHostDo(s.text)}; }, 37, 0, 0, text, 0.0f, -1, 1},
        {"getHostLanguage", [](X& e, S&) { return VstIntPtr{e.getHostLanguage()}; }, 38, 0, 0, none, 0.0f, 2, 2},
        {"openWindow", [](X& e, S& s) { return asInt(e.openWindow(s.as<VstWindow>(4))); }, 39, 0, 0, block(4), 0.0f, kAddress, kAddress},
        {"closeWindow", [](X& e, S& s) { return VstIntPtr{e.closeWindow(s.as<VstWindow>(4))}; }, 40, 0, 0, block(4), 0.0f, 3, 1},
        {"getDirectory", [](X& e, S&) { return asInt(e.getDirectory()); }, 41, 0, 0, none, 0.0f, kAddress, kAddress},
        {"updateDisplay", [](X& e, S&) { return VstIntPtr{e.updateDisplay()}; }, 42, 0, 0, none, 0.0f, 1, 1},
        {"beginEdit", [](X& e, S&) { return VstIntPtr{e.beginEdit(3)}; }, 43, 3, 0, none, 0.0f, 1, 1},
        {"endEdit", [](X& e, S&) { return VstIntPtr{e.endEdit(8)}; }, 44, 8, 0, none, 0.0f, -1, 1},
        {"openFileSelector", [](X& e, S& s) { return VstIntPtr{e.openFileSelector(s.as<VstFileSelect>(5))}; }, 45, 0, 0, block(5), 0.0f, 1, 1},
        {"closeFileSelector", [](X& e, S& s) { return VstIntPtr{e.closeFileSelector(s.as<VstFileSelect>(5))}; }, 46, 0, 0, block(5), 0.0f, 2, 1},
        {"getChunkFile", [](X& e, S& s) { return VstIntPtr{e.getChunkFile(s.blocks[6])}; }, 48, 0, 0, block(6), 0.0f, 1, 1},
        {"getInputSpeakerArrangement", [](X& e, S&) { return asInt(e.getInputSpeakerArrangement()); }, 49, 0, 0, none, 0.0f, kAddress, kAddress},
    };
}

TEST(HostServices, EachSendsOneRequestAndConvertsTheAnswer) {
    Scratch scratch;
    for (const auto& row : rows()) {
        for (VstIntPtr answer : {row.hostAnswer, VstIntPtr{0}}) {
            RecordingHost host;
            host.answer = [answer](const HostCall&) { return answer; };
            TestEffect effect(RecordingHost::callback);
            const VstIntPtr result = row.call(effect, scratch);
            EXPECT_EQ(result, answer == 0 ? 0 : row.result) << row.name << " answer " << answer;

            ASSERT_EQ(host.calls.size(), 1u) << row.name;
            const HostCall& call = host.calls[0];
            EXPECT_EQ(call.effect, effect.getAeffect()) << row.name;
            EXPECT_EQ(call.opcode, row.opcode) << row.name;
            EXPECT_EQ(call.index, row.index) << row.name;
            EXPECT_EQ(call.value, row.value) << row.name;
            EXPECT_EQ(call.ptr, row.ptr ? row.ptr(scratch) : nullptr) << row.name;
            EXPECT_EQ(call.opt, row.opt) << row.name;
        }
    }
}

TEST(HostServices, WithoutCallbackNothingIsSentAndTheAnswerIsNeutral) {
    Scratch scratch;
    RecordingHost host;  // would see any stray request
    TestEffect effect(nullptr);
    for (const auto& row : rows()) EXPECT_EQ(row.call(effect, scratch), 0) << row.name;
    EXPECT_EQ(effect.updateSampleRate(), 44100.0);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    EXPECT_TRUE(host.calls.empty());
}

TEST(HostServices, FileOperationsRefuseANullPointerWithoutAsking) {
    RecordingHost host;
    host.answer = [](const HostCall&) -> VstIntPtr { return 1; };
    TestEffect effect(RecordingHost::callback);
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(host.calls.empty());
    // The other services pass a null pointer on as they got it.
    EXPECT_TRUE(effect.canHostDo(nullptr));
    EXPECT_TRUE(effect.closeWindow(nullptr));
    EXPECT_EQ(host.calls.size(), 2u);
}

// ---- The two services that store the host's answer ----

class NotifiedEffect : public TestEffect {
public:
    NotifiedEffect() : TestEffect(RecordingHost::callback) {}
    void setSampleRate(float rate) override {
        log.push_back("setSampleRate");
        TestEffect::setSampleRate(rate);
    }
    void setBlockSize(VstInt32 size) override {
        log.push_back("setBlockSize");
        TestEffect::setBlockSize(size);
    }
};

TEST(HostServices, UpdateSampleRateStoresOnlyAPositiveAnswer) {
    struct Case {
        VstIntPtr answer;
        double result;
    };
    const Case cases[] = {
        {48000, 48000.0},
        {0, 44100.0},
        {-1, 44100.0},
        {16777217, 16777216.0},  // the float nearest to the answer
    };
    for (const auto& c : cases) {
        RecordingHost host;
        host.answer = [&c](const HostCall&) { return c.answer; };
        NotifiedEffect effect;
        EXPECT_EQ(effect.updateSampleRate(), c.result) << c.answer;
        EXPECT_EQ(effect.getSampleRate(), static_cast<float>(c.result)) << c.answer;
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_EQ(host.calls[0].opcode, audioMasterGetSampleRate);
        EXPECT_EQ(host.calls[0].index, 0);
        EXPECT_EQ(host.calls[0].value, 0);
        EXPECT_EQ(host.calls[0].ptr, nullptr);
        EXPECT_TRUE(effect.log.empty()) << "setSampleRate must not be called";
    }
}

TEST(HostServices, UpdateBlockSizeStoresOnlyAPositiveAnswer) {
    struct Case {
        VstIntPtr answer;
        VstInt32 result;
    };
    std::vector<Case> cases = {{512, 512}, {0, 1024}, {-64, 1024}};
    if constexpr (sizeof(VstIntPtr) > 4) {
        // A wide answer is read as the 32-bit size it would become.
        cases.push_back({static_cast<VstIntPtr>((std::int64_t{1} << 32)), 1024});
        cases.push_back({static_cast<VstIntPtr>((std::int64_t{1} << 32) + 256), 256});
    }
    for (const auto& c : cases) {
        RecordingHost host;
        host.answer = [&c](const HostCall&) { return c.answer; };
        NotifiedEffect effect;
        EXPECT_EQ(effect.updateBlockSize(), c.result) << c.answer;
        EXPECT_EQ(effect.getBlockSize(), c.result) << c.answer;
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_EQ(host.calls[0].opcode, audioMasterGetBlockSize);
        EXPECT_TRUE(effect.log.empty()) << "setBlockSize must not be called";
    }
}

TEST(HostServices, WantEventsSendsTheFilterAndDropsTheAnswer) {
    RecordingHost host;
    host.answer = [](const HostCall&) -> VstIntPtr { return 1; };
    TestEffect effect(RecordingHost::callback);
    effect.wantEvents(3);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[0].index, 0);
    EXPECT_EQ(host.calls[0].value, 3);
    EXPECT_EQ(host.calls[0].ptr, nullptr);
}

}  // namespace
