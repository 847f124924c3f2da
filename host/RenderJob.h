// `kelvorn render`: streams an input (file or demo signal) through the
// plug-in in blocks, rings out the tail, and writes the output through a
// temporary file. Main thread only: processing runs on it too.
#pragma once

#include <optional>
#include <string>
#include <vector>

class HostedPlugin;

struct RenderOptions {
    std::optional<std::string> input;  // none: the built-in demo signal
    std::string output;
    std::optional<std::string> program;
    std::vector<std::string> settings;  // NAME=VALUE
    int blockSize = 512;
    std::optional<double> tailSeconds;  // none: until quiet
    std::optional<std::string> format;
};

// The largest block this host passes: the effect's work blocks hold 132300 frames.
inline constexpr int kMaxBlockSize = 132300;
// The effect's delay lines hold 132300 frames whatever the sample rate.
inline constexpr long kKelvornDelayLine = 132300;
inline constexpr double kTailCapSeconds = 30.0;
// For other plug-ins, whose delay lines this host cannot know.
inline constexpr double kForeignQuietSeconds = 2.0;

struct RenderResult {
    std::string summary;  // for stdout
    std::string warning;  // for stderr, empty when none
};

// Throws HostError on any failure; the output then does not exist (or keeps
// its previous contents).
RenderResult renderFile(HostedPlugin& plugin, const RenderOptions& options);
