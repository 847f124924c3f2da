// An input file read block by block through libsndfile (WAV, FLAC, AIFF,
// OGG and whatever else it reads). Mono or stereo only. Main thread only.
#pragma once

#include <sndfile.h>

#include "SignalSource.h"

class AudioFileReader : public SignalSource {
public:
    // Throws HostError for a missing, unreadable or unsupported file and for
    // more than two channels.
    explicit AudioFileReader(const std::string& path);
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    int channels() const override { return info.channels; }
    int sampleRate() const override { return info.samplerate; }
    std::int64_t frames() const override { return info.frames; }
    std::size_t read(float* interleaved, std::size_t frames) override;
    int fileFormat() const override { return info.format; }
    std::string description() const override { return path; }

private:
    std::string path;
    SF_INFO info{};
    SNDFILE* file = nullptr;
};
