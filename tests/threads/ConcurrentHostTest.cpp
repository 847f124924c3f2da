// Hosts process on an audio thread while a user interface or automation
// thread changes parameters and programs, and they run several instances on
// several threads. Run under ThreadSanitizer in CI, where any unsynchronised
// access between these threads fails the test.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "PluginHost.h"

namespace {

constexpr VstInt32 kBlock = 512;

std::vector<float> noise(std::size_t frames, std::uint32_t seed) {
    std::vector<float> out(frames);
    for (auto& v : out) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    }
    return out;
}

// Processes `frames` of the given input through the instance in blocks and
// returns both output channels one after the other.
std::vector<float> render(PluginInstance& plugin, const std::vector<float>& left, const std::vector<float>& right) {
    const std::size_t frames = left.size();
    std::vector<float> out(2 * frames);
    for (std::size_t at = 0; at < frames; at += kBlock) {
        const auto n = static_cast<VstInt32>(std::min<std::size_t>(kBlock, frames - at));
        float* inputs[2] = {const_cast<float*>(left.data() + at), const_cast<float*>(right.data() + at)};
        float* outputs[2] = {out.data() + at, out.data() + frames + at};
        plugin.processReplacing(inputs, outputs, n);
    }
    return out;
}

TEST(ConcurrentHost, ProcessingWhileAnotherThreadChangesParametersAndPrograms) {
    PluginModule module(kelvornModulePath());
    PluginInstance plugin(module);
    const auto left = noise(kBlock, 1), right = noise(kBlock, 2);
    std::vector<float> outL(kBlock), outR(kBlock);
    std::atomic<bool> done{false};

    std::thread automation([&] {
        std::uint32_t seed = 7;
        char text[kVstMaxParamStrLen + 1];
        while (!done.load()) {
            seed = seed * 1664525u + 1013904223u;
            const auto index = static_cast<VstInt32>(seed % 9);
            plugin.setParameter(index, static_cast<float>(seed >> 8) / 16777216.0f);
            (void)plugin.getParameter(index);
            plugin.dispatch(effGetParamDisplay, index, 0, text);
            if (seed % 5 == 0) plugin.dispatch(effSetProgram, 0, static_cast<VstIntPtr>((seed >> 4) % 16));
        }
    });
    for (int block = 0; block < 100; ++block) {
        float* inputs[2] = {const_cast<float*>(left.data()), const_cast<float*>(right.data())};
        float* outputs[2] = {outL.data(), outR.data()};
        plugin.processReplacing(inputs, outputs, kBlock);
    }
    done = true;
    automation.join();

    // Afterwards the instance is as good as new once it is reset.
    plugin.dispatch(effSetProgram, 0, 0);
    plugin.dispatch(effMainsChanged, 0, 1);
    const auto out = render(plugin, left, right);
    for (float v : out) ASSERT_TRUE(std::isfinite(v));
}

TEST(ConcurrentHost, TwoInstancesOnTwoThreadsProduceWhatEachProducesAlone) {
    PluginModule module(kelvornModulePath());
    const std::size_t frames = 24 * kBlock;
    const auto left = noise(frames, 3), right = noise(frames, 4);
    // Different settings, both with a pitch stage at work, wall 2 on in one.
    auto configure = [](PluginInstance& plugin, int which) {
        if (which == 0) {
            plugin.dispatch(effSetProgram, 0, 2);
            plugin.setParameter(2, 0.01f);
            plugin.setParameter(6, 0.02f);
        } else {
            plugin.dispatch(effSetProgram, 0, 0);
            plugin.setParameter(2, 0.03f);
            plugin.setParameter(4, 0.9f);
        }
    };
    std::vector<float> alone[2];
    for (int which = 0; which < 2; ++which) {
        PluginInstance plugin(module);
        configure(plugin, which);
        alone[which] = render(plugin, left, right);
    }

    PluginInstance first(module), second(module);
    configure(first, 0);
    configure(second, 1);
    std::vector<float> together[2];
    std::thread a([&] { together[0] = render(first, left, right); });
    std::thread b([&] { together[1] = render(second, left, right); });
    a.join();
    b.join();
    for (int which = 0; which < 2; ++which) {
        ASSERT_EQ(together[which].size(), alone[which].size());
        EXPECT_EQ(std::memcmp(together[which].data(), alone[which].data(), alone[which].size() * sizeof(float)), 0)
            << "instance " << which;
    }
}

}  // namespace
