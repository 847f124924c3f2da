// Call orders that real hosts use and the module must survive: each one,
// through the record only, must give exactly the output of a host that
// opens, configures, resumes and then processes.
#include <functional>

#include "KelvornHarness.h"

namespace {

constexpr std::size_t kEchoDelay = 37083;  // program 3, both walls
constexpr std::size_t kBlock = 512;

class HostBehaviour : public KelvornHarness {
protected:
    // An impulse for the reflections' timing, then a burst of noise so that
    // any state a call order leaves behind shows in the samples.
    static StereoSignal input() {
        StereoSignal in = impulse(2 * kEchoDelay + 4000);
        std::uint32_t seed = 1;
        for (std::size_t i = 1000; i < 3000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            in.left[i] = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
            in.right[i] = 0.25f - in.left[i] / 2;
        }
        return in;
    }

    static void configure(PluginInstance& plugin, float sampleRate) {
        plugin.dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
        plugin.dispatch(effSetBlockSize, 0, kBlock);
        plugin.dispatch(effSetProgram, 0, 3);
        plugin.setParameter(pAngle, 0.25f);
    }

    // The well-behaved host.
    static StereoSignal reference(PluginInstance& plugin, const StereoSignal& in) {
        plugin.dispatch(effOpen);
        configure(plugin, 48000.0f);
        plugin.dispatch(effMainsChanged, 0, 1);
        return runOn(plugin, in, {kBlock});
    }

    // The frame where two outputs first differ, or -1.
    static long firstDifference(const StereoSignal& a, const StereoSignal& b) {
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a.left[i] != b.left[i] || a.right[i] != b.right[i]) return static_cast<long>(i);
        return -1;
    }
};

struct CallOrder {
    const char* name;
    std::function<StereoSignal(PluginInstance&, const StereoSignal&)> run;
};

TEST_F(HostBehaviour, UnusualCallOrdersGiveTheWellBehavedHostsOutput) {
    const StereoSignal in = input();
    const StereoSignal want = reference(instance, in);
    ASSERT_NE(want.left[kEchoDelay], 0.0f);  // the reflection is there to compare

    const auto half = [](const StereoSignal& s, bool first) {
        StereoSignal part;
        const std::size_t mid = s.size() / 2;
        part.left.assign(first ? s.left.begin() : s.left.begin() + mid, first ? s.left.begin() + mid : s.left.end());
        part.right.assign(first ? s.right.begin() : s.right.begin() + mid, first ? s.right.begin() + mid : s.right.end());
        return part;
    };
    const auto joined = [](StereoSignal a, const StereoSignal& b) {
        a.left.insert(a.left.end(), b.left.begin(), b.left.end());
        a.right.insert(a.right.end(), b.right.begin(), b.right.end());
        return a;
    };

    const CallOrder orders[] = {
        // Ardour switches off a plug-in that was never switched on.
        {"suspend before any resume",
         [](PluginInstance& p, const StereoSignal& s) {
             p.dispatch(effMainsChanged, 0, 0);
             p.dispatch(effOpen);
             p.dispatch(effMainsChanged, 0, 0);
             configure(p, 48000.0f);
             p.dispatch(effMainsChanged, 0, 1);
             return runOn(p, s, {kBlock});
         }},
        {"resume twice",
         [](PluginInstance& p, const StereoSignal& s) {
             p.dispatch(effOpen);
             configure(p, 48000.0f);
             p.dispatch(effMainsChanged, 0, 1);
             p.dispatch(effMainsChanged, 0, 1);
             return runOn(p, s, {kBlock});
         }},
        // Audio heard at the creation rate, then the host moves to its own
        // rate: resume forgets the old audio, and the delays stay in samples.
        {"sample rate change after processing",
         [](PluginInstance& p, const StereoSignal& s) {
             p.dispatch(effOpen);
             configure(p, 44100.0f);
             p.dispatch(effMainsChanged, 0, 1);
             runOn(p, s, {kBlock});
             p.dispatch(effMainsChanged, 0, 0);
             p.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
             p.dispatch(effMainsChanged, 0, 1);
             return runOn(p, s, {kBlock});
         }},
        {"sample rate change while running",
         [&](PluginInstance& p, const StereoSignal& s) {
             p.dispatch(effOpen);
             configure(p, 44100.0f);
             p.dispatch(effMainsChanged, 0, 1);
             StereoSignal first = runOn(p, half(s, true), {kBlock});
             p.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
             return joined(first, runOn(p, half(s, false), {kBlock}));
         }},
        // The constructor leaves the instance ready: a host may process
        // before it opens the plug-in or ever resumes it.
        {"processing before open",
         [&](PluginInstance& p, const StereoSignal& s) {
             configure(p, 48000.0f);
             StereoSignal first = runOn(p, half(s, true), {kBlock});
             p.dispatch(effOpen);
             return joined(first, runOn(p, half(s, false), {kBlock}));
         }},
    };
    for (const CallOrder& order : orders) {
        PluginInstance plugin(module);
        const StereoSignal got = order.run(plugin, in);
        ASSERT_EQ(got.size(), want.size()) << order.name;
        EXPECT_EQ(firstDifference(got, want), -1) << order.name;
    }
}

// A host that closes an instance it switched off but never switched on, or
// never even opened, must get its answer and lose nothing else.
TEST_F(HostBehaviour, ClosingWithoutEverResumingOrOpening) {
    {
        PluginInstance plugin(module);
        plugin.dispatch(effMainsChanged, 0, 0);
        EXPECT_EQ(plugin.close(), 1);
    }
    {
        PluginInstance plugin(module);
        EXPECT_EQ(plugin.close(), 1);
    }
    // The module still serves the instance made first.
    EXPECT_EQ(nonZeroFrames(run(impulse(40000), kBlock)).size(), 2u);
}

}  // namespace
