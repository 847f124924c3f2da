// Where the render loop takes its input from, one block at a time, so that
// memory stays the same whatever the length: an audio file or the built-in
// demo signal. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class SignalSource {
public:
    virtual ~SignalSource() = default;
    virtual int channels() const = 0;
    virtual int sampleRate() const = 0;
    // Total frames, or -1 when unknown.
    virtual std::int64_t frames() const = 0;
    // Fills up to `frames` interleaved frames; returns how many it wrote,
    // fewer only at the end. Throws HostError on a read error.
    virtual std::size_t read(float* interleaved, std::size_t frames) = 0;
    // The libsndfile format of a file source, 0 for a generated signal.
    virtual int fileFormat() const { return 0; }
    virtual std::string description() const = 0;
};
