#include "ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {
constexpr int kWidth = 30;
constexpr auto kInterval = std::chrono::milliseconds(100);
}  // namespace

ProgressBar::ProgressBar(std::int64_t totalFrames, int sampleRate)
    : total(totalFrames), rate(sampleRate), enabled(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    if (drawn) std::fprintf(stderr, "\r\033[K");
}

void ProgressBar::update(std::int64_t inputFrames, std::int64_t tailFrames) {
    if (!enabled) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn && now - lastDraw < kInterval) return;
    lastDraw = now;
    drawn = true;
    const double fraction = total > 0 ? std::min(1.0, static_cast<double>(inputFrames) / total) : 0.0;
    const int filled = static_cast<int>(fraction * kWidth);
    std::string bar(filled, '#');
    bar.resize(kWidth, '-');
    std::fprintf(stderr, "\rrendering [%s] %3d%%  %.1f s", bar.c_str(), static_cast<int>(fraction * 100),
                 static_cast<double>(inputFrames) / rate);
    if (tailFrames > 0) std::fprintf(stderr, " + tail %.1f s", static_cast<double>(tailFrames) / rate);
    std::fprintf(stderr, "\033[K");
    std::fflush(stderr);
}
