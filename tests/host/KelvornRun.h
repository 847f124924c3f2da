// Test support for driving the built `kelvorn` command end to end: run it in
// a child process and collect its exit status, output and peak memory, and
// read and write the audio files it works on.
#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

struct KelvornRun {
    int status = -1;  // exit status, or 128 + signal
    std::string out, err;
    long maxRssKb = 0;  // the child's peak resident memory
    int errLines() const;
};

// Runs the built kelvorn with these arguments (no shell involved), in the
// folder `cwd` if one is given.
KelvornRun runKelvorn(const std::vector<std::string>& args, const std::string& cwd = "");

struct AudioData {
    SF_INFO info{};
    std::vector<float> samples;  // interleaved
    float at(long frame, int channel) const { return samples[frame * info.channels + channel]; }
    long frames() const { return static_cast<long>(info.frames); }
};

void writeAudio(const std::string& path, int format, int channels, int rate, const std::vector<float>& interleaved);
AudioData readAudio(const std::string& path);

// A fresh empty folder for one test, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::vector<std::string> entries() const;
    std::string path;
};

// Paths set by the build.
std::string kelvornExe();
std::string fakeModule(const std::string& name);  // "NoEntry", "NullRecord", "Crash", "Gain"
