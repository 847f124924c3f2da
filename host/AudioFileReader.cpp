#include "AudioFileReader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "HostError.h"

AudioFileReader::AudioFileReader(const std::string& filePath) : path(filePath) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        throw HostError("cannot read input '" + path + "': " + std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw HostError("cannot read input '" + path + "': it is a directory");
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        // libsndfile says "Format not recognised" for files it cannot decode
        // and names system errors (permissions) otherwise.
        std::string why = sf_strerror(nullptr);
        while (!why.empty() && (why.back() == '.' || why.back() == '\n')) why.pop_back();
        throw HostError("cannot read input '" + path + "': " + why);
    }
    if (info.channels > 2) {
        const int n = info.channels;
        sf_close(file);
        file = nullptr;
        throw HostError("input '" + path + "' has " + std::to_string(n) +
                        " channels; kelvorn renders mono or stereo files only");
    }
    if (info.samplerate <= 0) throw HostError("input '" + path + "' has no valid sample rate");
}

AudioFileReader::~AudioFileReader() {
    if (file) sf_close(file);
}

std::size_t AudioFileReader::read(float* interleaved, std::size_t wanted) {
    const sf_count_t got = sf_readf_float(file, interleaved, static_cast<sf_count_t>(wanted));
    if (got < static_cast<sf_count_t>(wanted) && sf_error(file) != SF_ERR_NO_ERROR)
        throw HostError("error reading input '" + path + "': " + sf_strerror(file));
    return got < 0 ? 0 : static_cast<std::size_t>(got);
}
