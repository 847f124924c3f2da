#include "OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

#include "HostError.h"

namespace {

struct NamedFormat {
    const char* name;
    int format;
};

constexpr NamedFormat kNamed[] = {
    {"wav16", SF_FORMAT_WAV | SF_FORMAT_PCM_16},    {"wav24", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
    {"wav32", SF_FORMAT_WAV | SF_FORMAT_PCM_32},    {"wavfloat", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    {"flac16", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},  {"flac24", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
    {"aiff16", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},  {"aiff24", SF_FORMAT_AIFF | SF_FORMAT_PCM_24},
    {"aifffloat", SF_FORMAT_AIFF | SF_FORMAT_FLOAT}, {"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
};

struct Container {
    const char* extension;
    int major;
    int defaultSubtype;  // float where the container has it: reflections exceed full scale
};

constexpr Container kContainers[] = {
    {"wav", SF_FORMAT_WAV, SF_FORMAT_FLOAT},    {"flac", SF_FORMAT_FLAC, SF_FORMAT_PCM_24},
    {"aif", SF_FORMAT_AIFF, SF_FORMAT_FLOAT},   {"aiff", SF_FORMAT_AIFF, SF_FORMAT_FLOAT},
    {"ogg", SF_FORMAT_OGG, SF_FORMAT_VORBIS},   {"oga", SF_FORMAT_OGG, SF_FORMAT_VORBIS},
};

std::string lowerExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

bool fits(int format, int channels, int sampleRate) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    return sf_format_check(&info) != 0;
}

std::string describe(int format) {
    SF_FORMAT_INFO major{}, sub{};
    major.format = format & SF_FORMAT_TYPEMASK;
    sub.format = format & SF_FORMAT_SUBMASK;
    sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof major);
    sf_command(nullptr, SFC_GET_FORMAT_INFO, &sub, sizeof sub);
    return std::string(major.name ? major.name : "?") + ", " + (sub.name ? sub.name : "?");
}

}  // namespace

bool OutputFormat::isInteger() const {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_FLOAT:
        case SF_FORMAT_DOUBLE:
        case SF_FORMAT_VORBIS: return false;
        default: return true;
    }
}

std::string formatNames() {
    std::string names;
    for (const auto& f : kNamed) names += (names.empty() ? "" : ", ") + std::string(f.name);
    return names;
}

OutputFormat chooseOutputFormat(const std::optional<std::string>& formatName, int inputFormat,
                                const std::string& outputPath, int channels, int sampleRate) {
    int format = 0;
    if (formatName) {
        for (const auto& f : kNamed)
            if (*formatName == f.name) format = f.format;
        if (!format) throw HostError("unknown output format '" + *formatName + "' (choose one of " + formatNames() + ")");
    } else {
        const std::string ext = lowerExtension(outputPath);
        const Container* container = nullptr;
        for (const auto& c : kContainers)
            if (ext == c.extension) container = &c;
        if (container) {
            const int withInputSubtype = container->major | (inputFormat & SF_FORMAT_SUBMASK);
            format = inputFormat && fits(withInputSubtype, channels, sampleRate)
                         ? withInputSubtype
                         : container->major | container->defaultSubtype;
        } else if (inputFormat) {
            format = inputFormat & (SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK);
        } else {
            throw HostError("cannot tell the output format from '" + outputPath +
                            "': end its name in .wav, .flac, .aiff or .ogg, or use --format");
        }
    }
    if (!fits(format, channels, sampleRate))
        throw HostError("output format " + describe(format) + " cannot hold " + std::to_string(channels) +
                        " channels at " + std::to_string(sampleRate) + " Hz");
    return OutputFormat{format, describe(format)};
}
