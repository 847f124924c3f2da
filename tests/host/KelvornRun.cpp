#include "KelvornRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

int KelvornRun::errLines() const { return static_cast<int>(std::count(err.begin(), err.end(), '\n')); }

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

KelvornRun runKelvorn(const std::vector<std::string>& args, const std::string& cwd) {
    ScratchDir io;
    const std::string outPath = io / "stdout", errPath = io / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    std::vector<std::string> all{kelvornExe()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + all[0]);
    int wstatus = 0;
    struct rusage usage {};
    wait4(pid, &wstatus, 0, &usage);
    KelvornRun run;
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    run.out = slurp(outPath);
    run.err = slurp(errPath);
    run.maxRssKb = usage.ru_maxrss;
    return run;
}

void writeAudio(const std::string& path, int format, int channels, int rate, const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = rate;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    sf_command(f, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_writef_float(f, interleaved.data(), static_cast<sf_count_t>(interleaved.size() / channels));
    sf_close(f);
}

AudioData readAudio(const std::string& path) {
    AudioData d;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &d.info);
    if (!f) throw std::runtime_error("cannot read " + path + ": " + sf_strerror(nullptr));
    d.samples.resize(static_cast<std::size_t>(d.info.frames * d.info.channels));
    sf_readf_float(f, d.samples.data(), d.info.frames);
    sf_close(f);
    return d;
}

ScratchDir::ScratchDir() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/kelvorn-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    path = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::vector<std::string> ScratchDir::entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string kelvornExe() { return KELVORN_EXE; }

std::string fakeModule(const std::string& name) { return std::string(KELVORN_FAKE_MODULE_DIR) + "/Fake" + name + ".so"; }
