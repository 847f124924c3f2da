// Decides how much to keep rendering after the input ends, so that the
// reflections ring out. Either a fixed length (--tail SECONDS), or until the
// output has stayed below -90 dBFS for a whole quiet window (the plug-in's
// delay-line length), capped because a loop with gains of 1 or more never
// decays. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

class TailDetector {
public:
    static constexpr float kQuietLevel = 3.16227766e-5f;  // -90 dBFS

    static TailDetector fixedLength(std::int64_t frames);
    static TailDetector untilQuiet(std::int64_t quietWindow, std::int64_t cap);

    // Looks at one block of tail output (non-interleaved channels) and
    // returns how many of its frames belong to the tail; done() turns true
    // once the tail is complete.
    std::size_t accept(const float* const* channels, int channelCount, std::size_t frames);
    bool done() const { return finished; }
    std::int64_t rendered() const { return tailFrames; }
    // How many frames the next block may have at most.
    std::int64_t remaining() const { return limit - tailFrames; }

private:
    TailDetector(std::int64_t window, std::int64_t limit) : window(window), limit(limit), finished(limit <= 0) {}
    std::int64_t window;  // 0: fixed length
    std::int64_t limit;
    std::int64_t tailFrames = 0;
    std::int64_t quietFrames = 0;
    bool finished;
};
