#include "AudioFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "CrashGuard.h"
#include "HostError.h"

AudioFileWriter::AudioFileWriter(const std::string& path, const OutputFormat& format, int channelCount,
                                 int sampleRate)
    : target(path), channels(channelCount) {
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) throw HostError("output '" + path + "' names a directory, not a file");
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw HostError("output '" + path + "' is a directory");

    std::string pattern = (slash == std::string::npos ? "" : dir) + "." + base + ".kelvorn-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) throw HostError("cannot write output '" + path + "': " + std::strerror(errno));
    temporary = name.data();
    CrashGuard::setTemporaryFile(temporary.c_str());
    // mkstemp makes the file private; the output gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    SF_INFO info{};
    info.format = format.format;
    info.channels = channels;
    info.samplerate = sampleRate;
    file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file) {
        const std::string why = sf_strerror(nullptr);
        close(fd);
        unlink(temporary.c_str());
        CrashGuard::setTemporaryFile(nullptr);
        throw HostError("cannot write output '" + path + "': " + why);
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter() {
    if (file) sf_close(file);
    if (!temporary.empty()) {
        unlink(temporary.c_str());
        CrashGuard::setTemporaryFile(nullptr);
    }
}

void AudioFileWriter::write(const float* interleaved, std::size_t frames) {
    const std::size_t n = frames * static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < n; ++i) {
        const float a = std::fabs(interleaved[i]);
        if (a > peakValue || std::isnan(a)) peakValue = std::isnan(a) ? INFINITY : a;
    }
    const sf_count_t put = sf_writef_float(file, interleaved, static_cast<sf_count_t>(frames));
    if (put != static_cast<sf_count_t>(frames))
        throw HostError("cannot write output '" + target + "': " + sf_strerror(file));
    written += put;
}

void AudioFileWriter::commit() {
    sf_write_sync(file);
    const int closed = sf_close(file);
    file = nullptr;
    if (closed != 0) throw HostError("cannot write output '" + target + "': " + sf_error_number(closed));
    if (rename(temporary.c_str(), target.c_str()) != 0)
        throw HostError("cannot move the output into place as '" + target + "': " + std::strerror(errno));
    temporary.clear();
    CrashGuard::setTemporaryFile(nullptr);
}
