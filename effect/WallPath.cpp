#include "WallPath.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "ParameterMapping.h"

namespace {

// A NaN or an infinity in a delay line would sound for ever; 0.0 instead.
inline float finiteOrZero(float value) { return std::fabs(value) <= FLT_MAX ? value : 0.0f; }

}  // namespace

void WallPath::create(std::int32_t rate) {
    sampleRate = rate;
    capacity = 3 * rate;
    delayBuffer = std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(capacity));
    scratch = std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(capacity));
    std::fill_n(delayBuffer.get(), capacity, 0.0f);
    readPosition = 0;
}

void WallPath::write(const float* input, std::int32_t count) {
    float* const block = scratch.get();
    for (std::int32_t i = 0; i < count; ++i) block[i] = finiteOrZero(input[i]);

    const float factor = pitchFactor(pitch.load(std::memory_order_relaxed));
    if (factor != 1.0f)
        shifter.shift(factor, count, kPitchFrameSize, static_cast<float>(sampleRate), block, block);

    std::int32_t position = readPosition + delayOffset(capacity, delay.load(std::memory_order_relaxed));
    if (position >= capacity) position -= capacity;

    float* const line = delayBuffer.get();
    for (std::int32_t i = 0; i < count; ++i) {
        // The gain is read for every sample so automation takes effect mid-block.
        const double g = gainFactor(gain.load(std::memory_order_relaxed));
        line[position] = finiteOrZero(static_cast<float>(g * static_cast<double>(block[i])));
        if (++position == capacity) position = 0;
    }
}

void WallPath::read(float* output, std::int32_t count) {
    const float* const line = delayBuffer.get();
    for (std::int32_t i = 0; i < count; ++i) {
        output[i] = line[readPosition];
        if (++readPosition == capacity) readPosition = 0;
    }
}

void WallPath::peekAdd(const float* input, float* output, std::int32_t count) const {
    const float* const line = delayBuffer.get();
    std::int32_t position = readPosition;
    for (std::int32_t i = 0; i < count; ++i) {
        output[i] = static_cast<float>(static_cast<double>(line[position]) + static_cast<double>(input[i]));
        if (++position == capacity) position = 0;
    }
}

void WallPath::clear() { std::fill_n(delayBuffer.get(), capacity, 0.0f); }
