// WallPath: one wall's reflection line. Each block written goes through the
// optional pitch stage and the wall's gain into a circular delay line, at the
// wall's delay offset ahead of the read position; reads return it that many
// samples later in the stream.
//
// Threads: create() runs in the effect's constructor; write, read, peekAdd
// and clear run on the host's audio thread (clear also from resume on the
// host's main thread, as the host switches the effect on). The three
// parameter values are the effect's live atomics, which the host may change
// from another thread; the record only loads them (relaxed).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "PitchShifter.h"

class WallPath {
public:
    // Frame size of the pitch stage for every wall.
    static constexpr std::int32_t kPitchFrameSize = 8192;

    // Binds the wall to its live values and the effect's shared pitch stage.
    // Allocates nothing; create() does.
    WallPath(std::atomic<float>& delay, std::atomic<float>& gain, std::atomic<float>& pitch,
             PitchShifter& shifter)
        : delay(delay), gain(gain), pitch(pitch), shifter(shifter) {}

    WallPath(const WallPath&) = delete;
    WallPath& operator=(const WallPath&) = delete;

    // Constructor only: sizes the wall for three seconds at sampleRate
    // (delay line zeroed, scratch left as allocated). May throw std::bad_alloc.
    void create(std::int32_t sampleRate);

    // Stores count samples (count <= capacity / 2 keeps every reflection
    // intact). Non-finite samples become 0.0 before they reach the pitch
    // stage or the delay line. Leaves the read position unchanged.
    void write(const float* input, std::int32_t count);
    // The next count samples of the delay line; advances the read position.
    void read(float* output, std::int32_t count);
    // output[i] = input[i] + what the i-th step of a read would return now.
    // The read position does not move. input and output must differ.
    void peekAdd(const float* input, float* output, std::int32_t count) const;
    // Zeroes the delay line; the read position stays.
    void clear();

    std::int32_t getCapacity() const { return capacity; }
    std::int32_t getReadPosition() const { return readPosition; }

private:
    std::int32_t sampleRate = 0;
    std::atomic<float>& delay;
    std::atomic<float>& gain;
    std::atomic<float>& pitch;
    std::unique_ptr<float[]> delayBuffer;
    std::unique_ptr<float[]> scratch;  // freed before delayBuffer
    std::int32_t capacity = 0;
    std::int32_t readPosition = 0;
    PitchShifter& shifter;
};
