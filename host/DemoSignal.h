// The built-in demo signal that `render` uses when given no input file, so
// the effect can be heard on a machine with no audio at hand: four plucked
// notes, a noise burst and a click, 3 seconds of stereo at 44100 Hz, the
// same on both channels. Deterministic: every run gives the same samples.
// Main thread only.
#pragma once

#include "SignalSource.h"

class DemoSignal : public SignalSource {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr std::int64_t kFrames = 3 * kSampleRate;

    int channels() const override { return 2; }
    int sampleRate() const override { return kSampleRate; }
    std::int64_t frames() const override { return kFrames; }
    std::size_t read(float* interleaved, std::size_t frames) override;
    std::string description() const override { return "the built-in demo signal"; }

    // The demo's sample at one frame (both channels carry it).
    static float sampleAt(std::int64_t frame);

private:
    std::int64_t position = 0;
};
