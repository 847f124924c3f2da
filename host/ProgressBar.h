// A one-line progress bar on stderr for long renders, drawn only when stderr
// is a terminal (quiet in pipes, logs and tests). Main thread only.
#pragma once

#include <chrono>
#include <cstdint>

class ProgressBar {
public:
    // total: input frames, or -1 when unknown.
    ProgressBar(std::int64_t totalFrames, int sampleRate);
    ~ProgressBar();  // clears the line
    void update(std::int64_t inputFrames, std::int64_t tailFrames);

private:
    std::int64_t total;
    int rate;
    bool enabled;
    bool drawn = false;
    std::chrono::steady_clock::time_point lastDraw;
};
