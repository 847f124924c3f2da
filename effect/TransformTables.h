// TransformTables: the values the pitch stage would otherwise recompute in
// every frame, stored once: the Hann window of the current frame size and
// the twiddle factors of every transform stage, each exactly as the
// per-frame arithmetic produces it (the window with the standard cos, the
// twiddles by the float rotation recurrence of each stage), plus the
// bit-reversed order in which the transform reads its input.
//
// Built at construction (for the largest frame size) and again on the
// audio thread only when the frame size changes; allocates nothing.
#pragma once

#include <cstdint>

class TransformTables {
public:
    static constexpr std::int32_t kMaxFrameSize = 8192;

    TransformTables();

    // Window and input order for frame size n with the transform's rows
    // (doubles per vector of the kernels used); cheap when unchanged.
    void prepare(std::int32_t n, std::int32_t rows);

    std::int32_t frameSize() const { return preparedSize; }
    const double* window() const { return windowValues; }
    const std::int32_t* rowSource() const { return source; }
    // [0] forward, [1] inverse; the stage pairing elements span apart uses span-1 .. 2*span-2
    const float* twiddleRe(int direction) const { return twiddles[direction][0]; }
    const float* twiddleIm(int direction) const { return twiddles[direction][1]; }

private:
    std::int32_t preparedSize = 0;
    std::int32_t preparedRows = 0;
    alignas(64) double windowValues[kMaxFrameSize];
    alignas(64) std::int32_t source[kMaxFrameSize];
    alignas(64) float twiddles[2][2][kMaxFrameSize];
};
