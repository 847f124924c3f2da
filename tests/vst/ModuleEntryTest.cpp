// The entry point, driven as a host drives it: dlopen, look the entry up,
// call it with a host callback.
#include <gtest/gtest.h>

#include "PluginHost.h"

namespace {

VstIntPtr hostAnsweringVersion(VstIntPtr version, AEffect* effect, VstInt32 opcode) {
    (void)effect;
    return opcode == audioMasterVersion ? version : 0;
}

TEST(ModuleEntry, BothNamesAreOneFunction) {
    for (const auto& path : {kelvornModulePath(), testModulePath()}) {
        PluginModule module(path);
        void* vstMain = module.symbol("VSTPluginMain");
        ASSERT_NE(vstMain, nullptr) << path;
        EXPECT_EQ(module.symbol("main"), vstMain) << path;
    }
}

TEST(ModuleEntry, AsksForTheHostVersionWithANullRecord) {
    PluginModule module(kelvornModulePath());
    RecordingHost host;
    PluginInstance instance(module);
    ASSERT_FALSE(host.calls.empty());
    const HostCall& first = host.calls.front();
    EXPECT_EQ(first.effect, nullptr);
    EXPECT_EQ(first.opcode, audioMasterVersion);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(first.value, 0);
    EXPECT_EQ(first.ptr, nullptr);
    EXPECT_EQ(first.opt, 0.0f);
}

TEST(ModuleEntry, HostAnsweringZeroGetsNoRecord) {
    PluginModule module(testModulePath());
    RecordingHost host;
    host.answer = [](const HostCall&) -> VstIntPtr { return 0; };
    EXPECT_EQ(module.entry()(RecordingHost::callback), nullptr);
    ASSERT_EQ(host.calls.size(), 1u);  // the version query, and nothing created
}

TEST(ModuleEntry, AnyNonZeroVersionGivesARecord) {
    PluginModule module(kelvornModulePath());
    for (VstIntPtr version : {VstIntPtr{1}, VstIntPtr{2400}, VstIntPtr{-1}, VstIntPtr{0x7fffffff}}) {
        RecordingHost host;
        host.answer = [version](const HostCall& c) { return hostAnsweringVersion(version, c.effect, c.opcode); };
        AEffect* effect = module.entry()(RecordingHost::callback);
        ASSERT_NE(effect, nullptr) << version;
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    }
}

TEST(ModuleEntry, NullCallbackGetsNullRecord) {
    PluginModule module(kelvornModulePath());
    EXPECT_EQ(module.entry()(nullptr), nullptr);
}

TEST(ModuleEntry, TwoCallsGiveTwoIndependentInstances) {
    PluginModule module(testModulePath());
    PluginInstance a(module), b(module);
    EXPECT_NE(a.effect, b.effect);
    EXPECT_NE(a.effect->object, b.effect->object);
    EXPECT_NE(a.effect->object, nullptr);
    a.setParameter(0, 0.25f);
    b.setParameter(0, 0.75f);
    EXPECT_EQ(a.getParameter(0), 0.25f);
    EXPECT_EQ(b.getParameter(0), 0.75f);
}

TEST(ModuleEntry, RecordOfTheEffectIsReadyForUse) {
    PluginModule module(kelvornModulePath());
    PluginInstance instance(module);
    const AEffect* e = instance.effect;
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 16);
    EXPECT_EQ(e->numParams, 9);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsCanReplacing);
    EXPECT_EQ(e->resvd1, 0);
    EXPECT_EQ(e->resvd2, 0);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_EQ(e->uniqueID, fourCharCode('Q', 'O', 'V', 'l'));
    EXPECT_EQ(e->version, 1);
    EXPECT_NE(e->dispatcher, nullptr);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->setParameter, nullptr);
    EXPECT_NE(e->getParameter, nullptr);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->processDoubleReplacing, nullptr);
    for (char byte : e->future) EXPECT_EQ(byte, 0);
}

TEST(ModuleEntry, CloseAnswersOne) {
    PluginModule module(testModulePath());
    PluginInstance instance(module);
    EXPECT_EQ(instance.close(), 1);
}

}  // namespace
