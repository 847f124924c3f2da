// An output file written block by block into a temporary file beside the
// target and renamed into place only by commit(), so a failed or interrupted
// render never leaves a half-written output. Integer formats are clipped at
// full scale (libsndfile's clipping, not wrap-around); float is written as
// is. Tracks the peak so the caller can say how far over full scale it went.
// Main thread only.
#pragma once

#include <sndfile.h>

#include <string>

#include "OutputFormat.h"

class AudioFileWriter {
public:
    // Throws HostError when the temporary file cannot be created.
    AudioFileWriter(const std::string& path, const OutputFormat& format, int channels, int sampleRate);
    ~AudioFileWriter();  // without commit(): removes the temporary file
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(const float* interleaved, std::size_t frames);
    // Closes the file and renames it over the target.
    void commit();

    float peak() const { return peakValue; }
    std::int64_t framesWritten() const { return written; }

private:
    std::string target, temporary;
    int channels;
    SNDFILE* file = nullptr;
    float peakValue = 0.0f;
    std::int64_t written = 0;
};
