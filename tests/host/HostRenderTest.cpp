// Rendering end to end through the kelvorn command, against the fake gain
// module (deterministic: output = 4 x Gain x input, Gain 0.5 by default).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

#include "KelvornRun.h"

namespace {

constexpr int kRate = 44100;

std::vector<float> ramp(long frames, int channels, float scale) {
    std::vector<float> s(frames * channels);
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) s[i * channels + c] = scale * std::sin(0.01f * i + c);
    return s;
}

}  // namespace

TEST(Render, FloatOutputKeepsPeaksAboveFullScaleWithoutWarning) {
    ScratchDir dir;
    const auto in = ramp(5000, 2, 0.8f);
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kRate, in);
    const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", fakeModule("Gain"), "--tail", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("wrote " + (dir / "out.wav")), std::string::npos) << run.out;
    const auto out = readAudio(dir / "out.wav");
    EXPECT_EQ(out.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(out.frames(), 5000);
    for (long i = 0; i < 5000; ++i)
        for (int c = 0; c < 2; ++c) ASSERT_FLOAT_EQ(out.at(i, c), 2.0f * in[i * 2 + c]) << i;
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.wav", "out.wav"}));  // no temporary left
}

TEST(Render, IntegerOutputIsClippedNotWrappedWithOneWarningInDecibels) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, ramp(5000, 2, 0.8f));
    const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", fakeModule("Gain"), "--tail", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    // 0.8 doubled is 1.6: 4.1 dB over full scale.
    EXPECT_EQ(run.errLines(), 1);
    EXPECT_NE(run.err.find("warning: the output went 4.1 dB over full scale"), std::string::npos) << run.err;
    const auto out = readAudio(dir / "out.wav");
    EXPECT_EQ(out.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);  // the input's format
    float lowest = 0, highest = 0;
    for (float s : out.samples) lowest = std::min(lowest, s), highest = std::max(highest, s);
    EXPECT_NEAR(highest, 1.0f, 1e-4f);  // wrap-around would show large negative values here
    EXPECT_NEAR(lowest, -1.0f, 1e-4f);
}

TEST(Render, MonoInputFeedsBothInputsAndGivesStereo) {
    ScratchDir dir;
    const auto in = ramp(3000, 1, 0.25f);
    writeAudio(dir / "in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 48000, in);
    const auto run = runKelvorn({"render", dir / "in.flac", dir / "out.flac", "--plugin", fakeModule("Gain"), "--tail", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = readAudio(dir / "out.flac");
    EXPECT_EQ(out.info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(out.info.samplerate, 48000);
    ASSERT_EQ(out.info.channels, 2);
    for (long i = 0; i < 3000; ++i) {
        ASSERT_NEAR(out.at(i, 0), 2.0f * in[i], 1e-6f);
        ASSERT_NEAR(out.at(i, 1), 2.0f * in[i], 1e-6f);
    }
}

TEST(Render, ParametersAndProgramsByNameAndNumber) {
    ScratchDir dir;
    const auto in = ramp(1000, 2, 0.25f);
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kRate, in);
    struct Case {
        std::vector<std::string> options;
        float gain;
    } cases[] = {
        {{}, 2.0f},
        {{"--set", "Gain=0.25"}, 1.0f},
        {{"--set", "gain=0.125"}, 0.5f},  // names match regardless of case when nothing matches exactly
        {{"--program", "Unity"}, 1.0f},
        {{"--program", "1"}, 1.0f},
        {{"--program", "Unity", "--set", "Gain=0.75"}, 3.0f},  // --set applies after the program
        {{"--set", "Gain=0", "--set", "Gain=1"}, 4.0f},       // repeated: the last one wins
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"render", dir / "in.wav", dir / "out.wav", "--plugin", fakeModule("Gain"), "--tail", "0"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto run = runKelvorn(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto out = readAudio(dir / "out.wav");
        EXPECT_FLOAT_EQ(out.at(100, 0), c.gain * in[200]) << c.options.size();
    }
}

TEST(Render, BlockSizeDoesNotChangeTheResult) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kRate, ramp(10007, 2, 0.3f));
    std::vector<float> first;
    for (const char* block : {"1", "7", "512", "132300"}) {
        const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", fakeModule("Gain"),
                                     "--tail", "0.1", "--block", block});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto out = readAudio(dir / "out.wav");
        EXPECT_EQ(out.frames(), 10007 + 4410) << block;
        if (first.empty()) first = out.samples;
        EXPECT_EQ(out.samples, first) << block;
    }
}

TEST(Render, DefaultTailRendersTheQuietWindowAfterTheInput) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kRate, ramp(1000, 2, 0.5f));
    const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", fakeModule("Gain")});
    ASSERT_EQ(run.status, 0) << run.err;
    // The fake has no memory, so its output is quiet as soon as the input ends;
    // for a module other than Kelvorn the quiet window is 2 s.
    EXPECT_EQ(readAudio(dir / "out.wav").frames(), 1000 + 2 * kRate);
}

TEST(Render, OutputFormatFromOptionOrFileName) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, ramp(2000, 1, 0.1f));
    struct Case {
        std::string out;
        std::vector<std::string> options;
        int format;
    } cases[] = {
        {"a.wav", {}, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"b.flac", {}, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},  // container from the name, samples as the input
        {"c.aiff", {}, SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {"d.ogg", {}, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {"e.raw", {}, SF_FORMAT_WAV | SF_FORMAT_PCM_16},    // unknown name: the input's format
        {"f.wav", {"--format", "wavfloat"}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"g.wav", {"--format", "wav24"}, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {"h.flac", {"--format", "flac24"}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {"i.aif", {"--format", "aifffloat"}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"render", dir / "in.wav", dir / c.out, "--plugin", fakeModule("Gain"), "--tail", "0"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto run = runKelvorn(args);
        ASSERT_EQ(run.status, 0) << c.out << ": " << run.err;
        const auto out = readAudio(dir / c.out);
        EXPECT_EQ(out.info.format, c.format) << c.out;
        EXPECT_EQ(out.info.samplerate, 22050) << c.out;
        EXPECT_EQ(out.frames(), 2000) << c.out;
    }
}

TEST(Render, DemoSignalWithoutInputFile) {
    ScratchDir dir;
    const auto run = runKelvorn({"render", dir / "demo.wav", "--plugin", fakeModule("Gain"), "--tail", "0", "--program", "Unity"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("built-in demo signal"), std::string::npos);
    const auto out = readAudio(dir / "demo.wav");
    EXPECT_EQ(out.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(out.info.samplerate, 44100);
    EXPECT_EQ(out.frames(), 3 * 44100);
    float peak = 0;
    for (float s : out.samples) peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.3f);
    EXPECT_LE(peak, 1.0f);
}

TEST(Render, AFailedRenderLeavesAnExistingOutputAndNoTemporaryFile) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kRate, ramp(1000, 2, 0.5f));
    std::ofstream(dir / "out.wav") << "previous contents";
    for (const std::string& module : {fakeModule("Crash"), fakeModule("Gain")}) {
        const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", module, "--set", "Gain=0.5",
                                     "--set", module == fakeModule("Gain") ? "Nothing=1" : "Gain=1"});
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(run.errLines(), 1) << run.err;
        std::ifstream f(dir / "out.wav");
        std::string contents;
        std::getline(f, contents);
        EXPECT_EQ(contents, "previous contents");
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.wav", "out.wav"}));
    }
}

TEST(Render, NeverOverwritesTheInputWhateverTheNameLeadingToIt) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kRate, ramp(1000, 2, 0.5f));
    ASSERT_EQ(link((dir / "in.wav").c_str(), (dir / "hardlink.wav").c_str()), 0);
    ASSERT_EQ(symlink((dir / "in.wav").c_str(), (dir / "symlink.wav").c_str()), 0);
    const auto before = readAudio(dir / "in.wav").samples;
    for (const std::string& out : {dir / "in.wav", dir.path + "/./in.wav", dir / "hardlink.wav", dir / "symlink.wav"}) {
        const auto run = runKelvorn({"render", dir / "in.wav", out, "--plugin", fakeModule("Gain")});
        EXPECT_EQ(run.status, 1) << out;
        EXPECT_NE(run.err.find("is the input file"), std::string::npos) << run.err;
    }
    EXPECT_EQ(readAudio(dir / "in.wav").samples, before);
}

// A long file is streamed: memory stays the same as for a short one. Read
// whole, five minutes of stereo floats alone would take over 100 MB.
TEST(Render, MemoryStaysFlatForALongFile) {
    ScratchDir dir;
    long peakKb[2] = {};
    const long seconds[2] = {10, 300};
    for (int k = 0; k < 2; ++k) {
        const std::string in = dir / ("in" + std::to_string(k) + ".wav");
        SF_INFO info{};
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        info.channels = 2;
        info.samplerate = kRate;
        SNDFILE* f = sf_open(in.c_str(), SFM_WRITE, &info);
        ASSERT_NE(f, nullptr);
        std::vector<float> block(2 * kRate, 0.25f);
        for (long s = 0; s < seconds[k]; ++s) sf_writef_float(f, block.data(), kRate);
        sf_close(f);
        const auto run = runKelvorn({"render", in, dir / "out.wav", "--tail", "0"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readAudio(dir / "out.wav").frames(), seconds[k] * kRate);
        peakKb[k] = run.maxRssKb;
    }
    EXPECT_LT(peakKb[1] - peakKb[0], 8 * 1024) << peakKb[0] << " KiB vs " << peakKb[1] << " KiB";
}

TEST(Render, TellsThePluginTheFilesRateAndTheBlockSize) {
    ScratchDir dir;
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 48000, std::vector<float>(700, 0.0f));
    const auto run = runKelvorn({"render", dir / "in.wav", dir / "out.wav", "--plugin", fakeModule("HostProbe"),
                                 "--block", "256", "--tail", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = readAudio(dir / "out.wav");
    ASSERT_EQ(out.frames(), 700);
    EXPECT_EQ(out.at(699, 0), 48000.0f);
    EXPECT_EQ(out.at(699, 1), 2564.0f);  // block 256, process level 4: offline rendering
}
