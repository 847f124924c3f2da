// Kelvorn's reflections found end to end through the command, at the sample
// positions the effect defines (44.1 kHz): with the default program a left
// impulse returns once, 33075 frames later, on both channels; with wall 2 on
// ("Echo": both walls 37083 frames) it bounces on, 37083 frames at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "KelvornRun.h"

namespace {

constexpr long kLeftAt = 100, kRightAt = 500, kInputFrames = 1000;

// A stereo float file with one impulse on each channel.
std::string impulseFile(const ScratchDir& dir) {
    std::vector<float> s(2 * kInputFrames, 0.0f);
    s[2 * kLeftAt] = 0.5f;
    s[2 * kRightAt + 1] = 0.25f;
    const std::string path = dir / "impulse.wav";
    writeAudio(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, s);
    return path;
}

// Frames where either channel is audible, up to `limit` of them.
std::vector<long> soundingFrames(const AudioData& a, std::size_t limit = 100) {
    std::vector<long> frames;
    for (long i = 0; i < a.frames() && frames.size() < limit; ++i)
        if (std::fabs(a.at(i, 0)) > 1e-6f || std::fabs(a.at(i, 1)) > 1e-6f) frames.push_back(i);
    return frames;
}

AudioData render(const ScratchDir& dir, const std::string& in, std::vector<std::string> options) {
    std::vector<std::string> args{"render", in, dir / "out.wav"};
    args.insert(args.end(), options.begin(), options.end());
    const auto run = runKelvorn(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return readAudio(dir / "out.wav");
}

}  // namespace

TEST(Reflections, DefaultProgramReturnsTheLeftInputOnceAfter33075Frames) {
    ScratchDir dir;
    const auto out = render(dir, impulseFile(dir), {});
    EXPECT_EQ(soundingFrames(out), (std::vector<long>{kLeftAt, kRightAt, kLeftAt + 33075}));
    EXPECT_FLOAT_EQ(out.at(kLeftAt, 0), 0.5f);  // dry, unchanged
    EXPECT_FLOAT_EQ(out.at(kLeftAt, 1), 0.0f);
    EXPECT_FLOAT_EQ(out.at(kRightAt, 1), 0.25f);  // the right input passes dry only
    EXPECT_GT(out.at(kLeftAt + 33075, 0), 0.1f);   // centred: on both channels
    EXPECT_GT(out.at(kLeftAt + 33075, 1), 0.1f);
    // The tail ends once the output stayed quiet for one delay-line length.
    EXPECT_EQ(out.frames(), kLeftAt + 33075 + 1 + 132300);
}

TEST(Reflections, EchoBouncesBetweenBothWallsByNameOrNumber) {
    ScratchDir dir;
    const std::string in = impulseFile(dir);
    const auto byName = render(dir, in, {"--program", "Echo"});
    const auto frames = soundingFrames(byName, 6);
    EXPECT_EQ(frames, (std::vector<long>{kLeftAt, kRightAt, kLeftAt + 37083, kLeftAt + 2 * 37083,
                                         kLeftAt + 3 * 37083, kLeftAt + 4 * 37083}));
    EXPECT_LT(std::fabs(byName.at(kLeftAt + 4 * 37083, 0)), std::fabs(byName.at(kLeftAt + 37083, 0)));  // it decays
    const auto byNumber = render(dir, in, {"--program", "3"});
    EXPECT_EQ(byNumber.samples, byName.samples);
}

TEST(Reflections, ParametersSetByNameMoveTheReflections) {
    ScratchDir dir;
    const std::string in = impulseFile(dir);
    // Half of the 66150-frame range, and wall 2 switched on behind it.
    const auto out = render(dir, in, {"--set", "W1Delay=0.25", "--set", "W2Enable=1", "--set", "W2Delay=0.08",
                                      "--set", "W2Gain=0.2", "--tail", "1"});
    const auto frames = soundingFrames(out, 4);
    EXPECT_EQ(frames, (std::vector<long>{kLeftAt, kRightAt, kLeftAt + 16537, kLeftAt + 16537 + 5291}));
    // A program chosen by name, then one of its values changed.
    const auto talking = render(dir, in, {"--program", "Talking to Myself", "--set", "W2Enable=0", "--tail", "1"});
    EXPECT_EQ(soundingFrames(talking), (std::vector<long>{kLeftAt, kRightAt, kLeftAt + 37083}));
}

TEST(Reflections, ALoopThatNeverDecaysStopsAtThirtySeconds) {
    ScratchDir dir;
    // Both walls at unity gain pass the sound back and forth for ever.
    const auto out = render(dir, impulseFile(dir), {"--set", "W2Enable=1"});
    EXPECT_EQ(out.frames(), kInputFrames + 30 * 44100);
}

TEST(Reflections, DelaysStayInSamplesAtOtherRatesAndMonoFeedsWallOne) {
    ScratchDir dir;
    std::vector<float> mono(kInputFrames, 0.0f);
    mono[kLeftAt] = 0.5f;
    writeAudio(dir / "mono.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 48000, mono);
    const auto out = render(dir, dir / "mono.wav", {"--tail", "1"});
    EXPECT_EQ(out.info.samplerate, 48000);
    EXPECT_EQ(soundingFrames(out), (std::vector<long>{kLeftAt, kLeftAt + 33075}));
    EXPECT_FLOAT_EQ(out.at(kLeftAt, 0), 0.5f);
    EXPECT_FLOAT_EQ(out.at(kLeftAt, 1), 0.5f);
}
