#include "TailDetector.h"

#include <algorithm>
#include <cmath>

TailDetector TailDetector::fixedLength(std::int64_t frames) { return TailDetector(0, std::max<std::int64_t>(frames, 0)); }

TailDetector TailDetector::untilQuiet(std::int64_t quietWindow, std::int64_t cap) {
    return TailDetector(std::max<std::int64_t>(quietWindow, 1), std::max<std::int64_t>(cap, 0));
}

std::size_t TailDetector::accept(const float* const* channels, int channelCount, std::size_t frames) {
    if (finished) return 0;
    const std::size_t allowed = static_cast<std::size_t>(std::min<std::int64_t>(remaining(), static_cast<std::int64_t>(frames)));
    std::size_t kept = allowed;
    if (window > 0) {
        for (std::size_t i = 0; i < allowed; ++i) {
            bool quiet = true;
            // NaN counts as loud: it is not silence.
            for (int c = 0; c < channelCount; ++c)
                if (!(std::fabs(channels[c][i]) < kQuietLevel)) quiet = false;
            quietFrames = quiet ? quietFrames + 1 : 0;
            if (quietFrames >= window) {
                kept = i + 1;
                finished = true;
                break;
            }
        }
    }
    tailFrames += static_cast<std::int64_t>(kept);
    if (tailFrames >= limit) finished = true;
    return kept;
}
