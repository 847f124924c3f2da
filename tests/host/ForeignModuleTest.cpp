// The host against a VST 2.4 module we did not write: a stereo delay
// compensator from Debian's lsp-plugins-vst (scripts/install-deps.sh
// installs it). Skipped, saying why, where the package is absent.
#include <gtest/gtest.h>
#include <unistd.h>

#include "KelvornRun.h"

namespace {

const std::string kModule = "/usr/lib/vst/lsp-plugins/comp-delay-stereo.so";

bool moduleMissing() { return access(kModule.c_str(), R_OK) != 0; }

}  // namespace

TEST(ForeignModule, InfoReadsItsIdentityAndParameterNames) {
    if (moduleMissing()) GTEST_SKIP() << kModule << " is absent: install Debian's lsp-plugins-vst to run this test";
    const auto run = runKelvorn({"info", "--plugin", kModule});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Effect name:    Delay Compensator Stereo\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Audio:          2 in, 2 out\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" time "), std::string::npos) << run.out;
}

TEST(ForeignModule, RendersAnImpulseFileAndTakesParametersByName) {
    if (moduleMissing()) GTEST_SKIP() << kModule << " is absent: install Debian's lsp-plugins-vst to run this test";
    ScratchDir dir;
    std::vector<float> impulse(2 * 4000, 0.0f);
    impulse[2 * 1000] = 0.5f;      // left
    impulse[2 * 1000 + 1] = 0.25f;  // right
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 48000, impulse);
    // "wet" at its default passes the signal at 0 dB; at 0 it mutes it.
    for (const auto& [setting, scale] : {std::pair<std::string, float>{"wet=0.8001", 1.0f}, {"wet=0", 0.0f}}) {
        const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", kModule, "--set", setting,
                                     "--block", "256"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto out = readAudio(dir / "out.wav");
        EXPECT_EQ(out.info.samplerate, 48000);
        EXPECT_EQ(out.frames(), 4000 + 2 * 48000);  // its output is quiet once the input ends: 2 s quiet window
        // With no delay set, the impulse comes out where it went in.
        EXPECT_NEAR(out.at(1000, 0), 0.5f * scale, 1e-3f) << setting;
        EXPECT_NEAR(out.at(1000, 1), 0.25f * scale, 1e-3f) << setting;
    }
}
