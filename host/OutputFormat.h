// Which libsndfile format an output is written in: the one named by
// --format, otherwise the container its file name asks for (.wav, .flac,
// .aif/.aiff, .ogg/.oga) holding the input's sample type where that fits,
// otherwise the input's own format. Pure functions; any thread.
#pragma once

#include <optional>
#include <string>

struct OutputFormat {
    int format = 0;  // libsndfile major format | subtype
    std::string description;
    bool isInteger() const;  // clipped at full scale when written
};

// The names --format accepts, e.g. "wav16, wav24, ...".
std::string formatNames();

// Throws HostError for an unknown name, or when nothing says which
// container to write (no --format, no known extension, no input file).
OutputFormat chooseOutputFormat(const std::optional<std::string>& formatName, int inputFormat,
                                const std::string& outputPath, int channels, int sampleRate);
