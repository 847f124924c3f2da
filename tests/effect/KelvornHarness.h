// Drives one instance of the Kelvorn module as a host does, through its
// record only, and feeds whole signals through it block by block.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "PluginHost.h"

struct StereoSignal {
    std::vector<float> left, right;
    explicit StereoSignal(std::size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    std::size_t size() const { return left.size(); }
};

// Parameter numbers as the host sees them.
enum : VstInt32 { pInMix, pAngle, pW1Delay, pW1Gain, pW1Pitch, pW2Enable, pW2Delay, pW2Gain, pW2Pitch };

class KelvornHarness : public ::testing::Test {
protected:
    KelvornHarness() : module(kelvornModulePath()), instance(module) {}

    // Feeds the whole signal through an instance in blocks of the given
    // lengths, the last length repeating (separate input and output buffers).
    static StereoSignal runOn(PluginInstance& plugin, const StereoSignal& in,
                              std::vector<std::size_t> blockSizes) {
        StereoSignal out(in.size());
        std::size_t block = 0;
        for (std::size_t start = 0; start < in.size();) {
            const std::size_t frames = std::min(blockSizes[std::min(block++, blockSizes.size() - 1)],
                                                in.size() - start);
            float* inputs[2] = {const_cast<float*>(in.left.data() + start),
                                const_cast<float*>(in.right.data() + start)};
            float* outputs[2] = {out.left.data() + start, out.right.data() + start};
            plugin.processReplacing(inputs, outputs, static_cast<VstInt32>(frames));
            start += frames;
        }
        return out;
    }

    StereoSignal run(const StereoSignal& in, std::size_t blockSize) { return runOn(instance, in, {blockSize}); }

    // Silence of n frames.
    StereoSignal silence(std::size_t frames) { return run(StereoSignal(frames), 4096); }

    static StereoSignal impulse(std::size_t frames, float left = 1.0f, float right = 0.0f) {
        StereoSignal s(frames);
        s.left[0] = left;
        s.right[0] = right;
        return s;
    }

    // Frames whose sample is not zero on either channel.
    static std::vector<std::size_t> nonZeroFrames(const StereoSignal& s) {
        std::vector<std::size_t> frames;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (s.left[i] != 0.0f || s.right[i] != 0.0f) frames.push_back(i);
        return frames;
    }

    void setProgram(VstInt32 program) { instance.dispatch(effSetProgram, 0, program); }
    void resume() { instance.dispatch(effMainsChanged, 0, 1); }

    RecordingHost host;
    PluginModule module;
    PluginInstance instance;
};
