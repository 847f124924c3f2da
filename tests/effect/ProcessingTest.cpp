// Block processing as a host drives it: dry mix, wall 1, the loop through
// wall 2, stereo placement, in-place buffers and resume.
#include <cmath>
#include <limits>
#include <random>
#include <thread>

#if defined(__SSE2__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "KelvornHarness.h"

namespace {

constexpr std::size_t kD = 33075;        // default delay of both walls
constexpr std::size_t kCapacity = 132300;

using Processing = KelvornHarness;

TEST_F(Processing, DefaultProgramReturnsTheImpulseOnceAfter750ms) {
    const StereoSignal out = run(impulse(kD + 2000), 512);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, kD}));
    EXPECT_EQ(out.left[0], 1.0f);
    EXPECT_EQ(out.right[0], 0.0f);
    EXPECT_EQ(out.left[kD], 1.0f);
    EXPECT_EQ(out.right[kD], 1.0f);
}

TEST_F(Processing, DelaysStayFixedInSamplesWhenTheHostChangesRate) {
    instance.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    instance.dispatch(effSetBlockSize, 0, 4096);
    instance.setParameter(pW1Delay, 1.0f);
    const StereoSignal out = run(impulse(66150 + 10), 4096);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, 66150}));
}

TEST_F(Processing, InMixZeroSilencesOnlyTheDryPath) {
    instance.setParameter(pInMix, 0.0f);
    const StereoSignal out = run(impulse(kD + 100, 1.0f, 0.7f), 512);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{kD}));
    EXPECT_EQ(out.left[kD], 1.0f);
    EXPECT_EQ(out.right[kD], 1.0f);
}

TEST_F(Processing, RightInputOnlyPassesDryAndReachesNoWall) {
    instance.setParameter(pInMix, 0.5f);
    instance.setParameter(pW2Enable, 1.0f);
    StereoSignal in(kCapacity + 10);
    in.right[0] = 1.0f;
    in.right[7] = -0.25f;
    const StereoSignal out = run(in, 4096);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, 7}));
    EXPECT_EQ(out.right[0], 0.5f);
    EXPECT_EQ(out.right[7], -0.125f);
    EXPECT_EQ(out.left[0], 0.0f);
}

TEST_F(Processing, WallLoopKeepsReturningWithoutDecay) {
    instance.setParameter(pW2Enable, 1.0f);
    const StereoSignal out = run(impulse(5 * kD + 100), 512);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, kD, 2 * kD, 3 * kD, 4 * kD, 5 * kD}));
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_EQ(out.left[k * kD], 1.0f) << k;
        EXPECT_EQ(out.right[k * kD], 1.0f) << k;
    }
}

// Wall 1's reflection at D, wall 2's (mirrored) at 2D, for each angle.
TEST_F(Processing, AnglePlacesBothWallsOnOppositeSides) {
    struct Case { float angle, w1Left, w1Right, w2Left, w2Right; };
    const Case cases[] = {
        {0.0f, 1.0f, 0.0f, 0.0f, 1.0f},  {0.25f, 1.0f, 0.5f, 0.5f, 1.0f}, {0.46f, 1.0f, 1.0f, 1.0f, 1.0f},
        {0.54f, 1.0f, 1.0f, 1.0f, 1.0f}, {0.75f, 0.5f, 1.0f, 1.0f, 0.5f}, {1.0f, 0.0f, 1.0f, 1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        PluginInstance fresh(module);
        fresh.setParameter(pW2Enable, 1.0f);
        fresh.setParameter(pAngle, c.angle);
        const StereoSignal out = runOn(fresh, impulse(2 * kD + 10), {4096});
        EXPECT_EQ(out.left[kD], c.w1Left) << c.angle;
        EXPECT_EQ(out.right[kD], c.w1Right) << c.angle;
        EXPECT_EQ(out.left[2 * kD], c.w2Left) << c.angle;
        EXPECT_EQ(out.right[2 * kD], c.w2Right) << c.angle;
    }
}

TEST_F(Processing, Wall2WithNoDelaySoundsWithWall1AndFeedsBackOneCapacityLater) {
    instance.setParameter(pW2Enable, 1.0f);
    instance.setParameter(pW2Delay, 0.0f);
    instance.setParameter(pAngle, 0.0f);  // wall 1 left only, wall 2 right only
    const StereoSignal out = run(impulse(kCapacity + 2 * kD + 10), 512);
    // Wall 2's copy is peeked one capacity after it was written, and comes
    // back from wall 1 a delay after that.
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, kD, kCapacity + 2 * kD}));
    EXPECT_EQ(out.left[kD], 1.0f);
    EXPECT_EQ(out.right[kD], 1.0f);
    EXPECT_EQ(out.left[kCapacity + 2 * kD], 1.0f);
    EXPECT_EQ(out.right[kCapacity + 2 * kD], 1.0f);
}

TEST_F(Processing, InPlaceBuffersGiveTheSameOutput) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    StereoSignal in(50000);
    for (std::size_t i = 0; i < in.size(); ++i) in.left[i] = noise(rng), in.right[i] = noise(rng);
    setProgram(4);
    const StereoSignal expected = run(in, 1024);

    PluginInstance other(module);
    other.dispatch(effSetProgram, 0, 4);
    StereoSignal inPlace = in;
    StereoSignal sharedLeft = in;  // right output written over the left input
    std::vector<float> rightOut(in.size());
    PluginInstance third(module);
    third.dispatch(effSetProgram, 0, 4);
    for (std::size_t start = 0; start < in.size(); start += 1024) {
        const auto frames = static_cast<VstInt32>(std::min<std::size_t>(1024, in.size() - start));
        float* io[2] = {inPlace.left.data() + start, inPlace.right.data() + start};
        other.processReplacing(io, io, frames);
        float* in3[2] = {sharedLeft.left.data() + start, sharedLeft.right.data() + start};
        float* out3[2] = {sharedLeft.right.data() + start, sharedLeft.left.data() + start};
        // outputs[1] over inputs[0] is supported; outputs[0] over inputs[1] is not,
        // so the left output goes to a buffer of its own.
        out3[0] = rightOut.data() + start;
        third.processReplacing(in3, out3, frames);
    }
    EXPECT_EQ(inPlace.left, expected.left);
    EXPECT_EQ(inPlace.right, expected.right);
    EXPECT_EQ(rightOut, expected.left);
    EXPECT_EQ(sharedLeft.left, expected.right);
}

TEST_F(Processing, EmptyBlocksTouchNothing) {
    StereoSignal in = impulse(kD + 10);
    std::vector<float> left(4, 9.0f), right(4, 9.0f);
    float* inputs[2] = {in.left.data(), in.right.data()};
    float* outputs[2] = {left.data(), right.data()};
    for (VstInt32 frames : {0, -1, -132300}) instance.processReplacing(inputs, outputs, frames);
    EXPECT_EQ(left, std::vector<float>(4, 9.0f));
    EXPECT_EQ(right, std::vector<float>(4, 9.0f));
    // The read positions did not move: the reflection still comes D later.
    const StereoSignal out = run(in, 512);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, kD}));
}

TEST_F(Processing, Wall2SwitchedOffAndOnAgainReturnsWhatItHeld) {
    instance.setParameter(pW2Enable, 1.0f);
    StereoSignal first = run(impulse(40000), 500);  // wall 1 has passed the impulse into wall 2
    EXPECT_EQ(nonZeroFrames(first), (std::vector<std::size_t>{0, kD}));
    instance.setParameter(pW2Enable, 0.0f);
    EXPECT_TRUE(nonZeroFrames(silence(50000)).empty());
    instance.setParameter(pW2Enable, 0.5f);  // exactly 0.5 is on
    // Wall 2 stood at 40000 and holds the impulse at 2D = 66150.
    const StereoSignal out = silence(2 * kD - 40000 + kD + 10);
    const std::size_t back = 2 * kD - 40000;
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{back, back + kD}));
}

TEST_F(Processing, ResumeEmptiesTheDelayLinesButKeepsTheirTiming) {
    run(impulse(20000), 512);
    resume();
    StereoSignal in(40000);
    in.left[0] = 0.5f;  // stream frame 20000
    const StereoSignal out = run(in, 512);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, kD}));  // the first impulse is gone
    EXPECT_EQ(out.left[kD], 0.5f);
}

// Long host blocks: every reflection returns exactly its delay later,
// whatever the block lengths, and previous blocks' reflections are heard.
TEST_F(Processing, LongBlocksKeepEveryDelayExact) {
    struct Case { float delay; std::size_t offset; };
    for (const Case c : {Case{0.560594f, 37083}, Case{1.0f, 66150}, Case{0.0f, 0}}) {
        PluginInstance fresh(module);
        fresh.setParameter(pW1Delay, c.delay);
        fresh.setParameter(pAngle, 0.0f);
        std::mt19937 rng(3);
        std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
        StereoSignal in(1000 + 132300 + 150000);
        for (std::size_t i = 0; i < in.size(); ++i) in.left[i] = noise(rng), in.right[i] = noise(rng);
        const StereoSignal out = runOn(fresh, in, {1000, 132300, 150000});
        std::size_t wrong = 0;
        for (std::size_t t = 0; t < in.size(); ++t) {
            const double echo = t >= c.offset ? in.left[t - c.offset] : 0.0;
            const auto left = static_cast<float>(static_cast<double>(in.left[t]) + echo);
            if (out.left[t] != left || out.right[t] != in.right[t]) ++wrong;
        }
        EXPECT_EQ(wrong, 0u) << "delay offset " << c.offset;
    }
}

TEST_F(Processing, OneBlockOfFullCapacityDoesNotHearItsOwnFuture) {
    setProgram(4);  // wall 1 at 37083 samples: the write wraps 95217 frames in
    StereoSignal in(kCapacity);
    in.left[95217] = 1.0f;
    const StereoSignal out = run(in, kCapacity);
    EXPECT_EQ(out.left[0], 0.0f);
    EXPECT_EQ(out.right[0], 0.0f);
    const StereoSignal next = run(StereoSignal(10), 10);
    EXPECT_NE(next.left[0], 0.0f);  // 95217 + 37083 = one capacity: the next block's first frame
}

// NaN and infinity in the input, and an overflow of the gain, reach no
// delay line: the walls store 0.0 instead and keep working.
TEST_F(Processing, NonFiniteSamplesNeverEnterTheWalls) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    instance.setParameter(pW2Enable, 1.0f);
    instance.setParameter(pW1Gain, 1.0f);  // gain factor 2: 3e38 overflows
    StereoSignal in(3 * kD + 200);
    in.left[0] = nan;
    in.left[1] = inf;
    in.left[2] = -inf;
    in.left[3] = 3e38f;
    in.left[100] = 0.25f;
    const StereoSignal out = run(in, 512);
    for (std::size_t i = 4; i < out.size(); ++i) {
        ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << i;
    }
    // Only the finite impulse comes back: from wall 1 doubled, from wall 2 doubled again.
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, 1, 2, 3, 100, kD + 100, 2 * kD + 100,
                                                            3 * kD + 100}));
    EXPECT_EQ(out.left[kD + 100], 0.5f);
    EXPECT_EQ(out.left[2 * kD + 100], 0.5f);  // wall 2's gain is 1
    EXPECT_EQ(out.left[3 * kD + 100], 1.0f);
}

// A burst that overflows the pitch stage's transform costs at most the
// reflections of that stretch: later sound is reflected again.
TEST_F(Processing, PitchStageRecoversFromAnOverflowingBurst) {
    instance.setParameter(pW1Pitch, 0.6f);
    instance.setParameter(pW1Delay, 0.0f);
    instance.setParameter(pInMix, 0.0f);
    const std::size_t frames = sizeof(void*) == 4 ? 16384 : 60000;  // the 32-bit run is emulated
    StereoSignal in(frames);
    for (std::size_t i = 0; i < 512; ++i) in.left[i] = (i % 2 ? 6e37f : -6e37f);
    for (std::size_t i = frames / 4; i < frames; ++i) in.left[i] = 0.5f * std::sin(0.03f * static_cast<float>(i));
    const StereoSignal out = run(in, 512);
    double tailEnergy = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << i;
        if (i >= frames - 4096) tailEnergy += static_cast<double>(out.left[i]) * out.left[i];
    }
    EXPECT_GT(tailEnergy, 1.0);
}

// The host changes parameters and programs on another thread while the
// audio thread processes, with any float it likes; processing carries on and
// the effect behaves normally once the values are sane again.
TEST_F(Processing, ParameterChangesDuringProcessingAreSafe) {
    std::atomic<bool> done{false};
    std::thread automation([&] {
        const float values[] = {0.0f, 1.0f, 0.5f, -1.0f, 2.0f, std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity(), 0.3f, 0.7f};
        for (unsigned n = 0; !done.load(); ++n) {
            if (n % 50 == 0) instance.dispatch(effSetProgram, 0, static_cast<VstIntPtr>((n / 50) % 16));
            const auto index = static_cast<VstInt32>(n % 9);
            // Keep the pitch stage mostly idle so the emulated 32-bit run stays short.
            const float v = (index == pW1Pitch || index == pW2Pitch) ? 0.33333334f : values[n % 9];
            instance.setParameter(index, v);
        }
    });
    StereoSignal in(64 * 256);
    for (std::size_t i = 0; i < in.size(); ++i) in.left[i] = in.right[i] = std::sin(0.01f * static_cast<float>(i));
    run(in, 256);
    done = true;
    automation.join();

    // The automation also edited the programs it passed through.
    const float defaults[] = {1.0f, 0.5f, 0.5f, 0.5f, 0.33333334f, 0.0f, 0.5f, 0.5f, 0.33333334f};
    for (VstInt32 i = 0; i < 9; ++i) instance.setParameter(i, defaults[i]);
    resume();
    const StereoSignal out = run(impulse(kD + 10), 512);
    EXPECT_EQ(nonZeroFrames(out), (std::vector<std::size_t>{0, kD}));
}

#if defined(__SSE2__) || defined(__x86_64__)
// Subnormal numbers count as zero while processing runs; the caller's
// control state is back afterwards, whatever it was.
TEST_F(Processing, FlushesDenormalsOnlyDuringTheCall) {
    const unsigned callers = _mm_getcsr();
    for (unsigned state : {callers & ~0x8040u, callers | 0x8040u, (callers & ~0x8040u) | 0x6000u}) {
        _mm_setcsr(state);
        StereoSignal in(8);
        in.right[0] = 1e-40f;  // subnormal
        in.left[0] = 1.0f;
        const StereoSignal out = run(in, 8);
        const unsigned after = _mm_getcsr();
        _mm_setcsr(callers);
        EXPECT_EQ(after, state);
        EXPECT_EQ(out.right[0], 0.0f);
        EXPECT_EQ(out.left[0], 1.0f);
    }
}
#endif

}  // namespace
