// Replays the fuzzer's seed sessions and every session that once broke the
// plug-in, with the same checks the fuzzer makes, in the normal test run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <algorithm>
#include <vector>

#include "HostSession.h"
#include "PluginHost.h"

namespace {

std::vector<std::filesystem::path> sessionsIn(const char* folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void replayAll(const char* folder) {
    PluginModule module(kelvornModulePath());
    const auto files = sessionsIn(folder);
    for (const auto& file : files) {
        std::ifstream stream(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        EXPECT_EQ(kelvorn::fuzz::runHostSession(module.entry(), bytes.data(), bytes.size()), "")
            << "session " << file.filename();
    }
}

TEST(FuzzCorpusReplay, SeedSessionsKeepEveryInvariant) {
    ASSERT_GE(sessionsIn(KELVORN_FUZZ_CORPUS).size(), 5u);
    replayAll(KELVORN_FUZZ_CORPUS);
}

TEST(FuzzCorpusReplay, SessionsThatOnceBrokeThePluginNowKeepEveryInvariant) { replayAll(KELVORN_FUZZ_REGRESSIONS); }

// The checks themselves must catch what they are there for: hand-made
// records whose processing breaks one rule each.
namespace faulty {
enum class Fault { WritesPastTheBlock, WritesNaN, ChangesItsInput };
Fault fault;
float parameters[9] = {1.0f, 0.5f, 0.5f, 0.5f, 0.33333334f, 0.0f, 0.5f, 0.5f, 0.33333334f};
AEffect record{};

VstIntPtr dispatcher(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }
float getParameter(AEffect*, VstInt32 index) { return index >= 0 && index < 9 ? parameters[index] : 0.0f; }
void setParameter(AEffect*, VstInt32, float) {}
void process(AEffect*, float** inputs, float** outputs, VstInt32 frames) {
    for (VstInt32 i = 0; i < frames; ++i) {
        outputs[0][i] = fault == Fault::WritesNaN ? std::numeric_limits<float>::quiet_NaN() : 0.0f;
        outputs[1][i] = 0.0f;
    }
    if (fault == Fault::WritesPastTheBlock) outputs[1][frames] = 0.0f;
    if (fault == Fault::ChangesItsInput) inputs[1][0] = 2.0f;
}
AEffect* entry(audioMasterCallback) {
    record.dispatcher = dispatcher;
    record.getParameter = getParameter;
    record.setParameter = setParameter;
    record.processReplacing = process;
    return &record;
}
}  // namespace faulty

TEST(FuzzCorpusReplay, ChecksCatchEachKindOfFault) {
    // one block of 512 noise frames, separate buffers
    const std::uint8_t session[] = {8, 10, 0, 1, 1, 1, 0, 0, 0};
    const struct {
        faulty::Fault fault;
        const char* report;
    } cases[] = {{faulty::Fault::WritesPastTheBlock, "outside the frame count"},
                 {faulty::Fault::WritesNaN, "not finite"},
                 {faulty::Fault::ChangesItsInput, "changed the separate right input"}};
    for (const auto& c : cases) {
        faulty::fault = c.fault;
        EXPECT_NE(kelvorn::fuzz::runHostSession(faulty::entry, session, sizeof session).find(c.report),
                  std::string::npos)
            << c.report;
    }
}

TEST(FuzzCorpusReplay, EmptySessionOnlyOpensAndCloses) {
    PluginModule module(kelvornModulePath());
    EXPECT_EQ(kelvorn::fuzz::runHostSession(module.entry(), nullptr, 0), "");
}

}  // namespace
