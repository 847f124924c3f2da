// Processing, parameter changes and program changes run on the host's audio
// thread (or race with it) and must never allocate, lock or enter the
// kernel. Every path is driven through the record: all programs, parameters
// inside and outside 0..1, wall 2 on and off, pitch stages on, blocks from
// 0 frames up to the longest block, in place and out of place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <vector>

#include "PluginHost.h"
#include "RealtimeCheck.h"

#if defined(__x86_64__) && defined(__linux__)
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#define KELVORN_SECCOMP_CHECK 1
#endif

namespace {

constexpr VstInt32 kLongestBlock = 132300;

// Buffers made before any check starts, so that the check sees only the
// plug-in's own work.
struct Buffers {
    std::vector<float> inL, inR, outL, outR;
    Buffers() : inL(kLongestBlock), inR(kLongestBlock), outL(kLongestBlock), outR(kLongestBlock) {
        for (VstInt32 i = 0; i < kLongestBlock; ++i) {
            inL[i] = std::sin(0.01f * static_cast<float>(i));
            inR[i] = (i % 100 < 50) ? 0.5f : -0.5f;
        }
    }
};

void process(PluginInstance& plugin, Buffers& b, VstInt32 frames, bool inPlace) {
    float* inputs[2] = {b.inL.data(), b.inR.data()};
    float* separate[2] = {b.outL.data(), b.outR.data()};
    plugin.processReplacing(inputs, inPlace ? inputs : separate, frames);
}

// Everything the audio thread may be asked to do, in one sequence.
void exerciseRealtimePaths(PluginInstance& plugin, Buffers& b) {
    const VstInt32 blocks[] = {0, 1, 256, 511, 4096};
    const float values[] = {0.0f, 0.25f, 0.5f, 0.6f, 0.9f, 1.0f, -1.0f, 2.0f,
                            std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    for (VstIntPtr program = 0; program < 16; ++program) {
        plugin.dispatch(effSetProgram, 0, program);
        process(plugin, b, 512, program % 2 == 0);
    }
    for (VstInt32 index = -1; index <= 9; ++index)
        for (float v : values) plugin.setParameter(index, v);
    // wall 2 on, both pitch stages shifting
    const float busy[9] = {1.0f, 0.2f, 0.1f, 0.2f, 0.8f, 1.0f, 0.05f, 0.2f, 0.1f};
    for (VstInt32 i = 0; i < 9; ++i) plugin.setParameter(i, busy[i]);
    for (VstInt32 frames : blocks) {
        process(plugin, b, frames, false);
        process(plugin, b, frames, true);
    }
    // the longest block, split inside the plug-in (pitch stages off: they
    // would only make the run longer)
    plugin.setParameter(4, 1.0f / 3.0f);
    plugin.setParameter(8, 1.0f / 3.0f);
    process(plugin, b, kLongestBlock, true);
}

class RealtimeSafety : public ::testing::Test {
protected:
    PluginModule module{kelvornModulePath()};
    PluginInstance plugin{module};
    Buffers buffers;
};

TEST_F(RealtimeSafety, ProcessingAndParameterChangesAllocateAndLockNothing) {
    exerciseRealtimePaths(plugin, buffers);  // once unchecked: first-call binding is the loader's business
    armRealtimeCheck();
    exerciseRealtimePaths(plugin, buffers);
    const RealtimeCounts counts = disarmRealtimeCheck();
    EXPECT_EQ(counts.allocations, 0);
    EXPECT_EQ(counts.releases, 0);
    EXPECT_EQ(counts.locks, 0);
}

TEST(RealtimeCheck, CountsAllocationsAndLocksOnlyWhileArmed) {
    std::mutex outside;
    outside.lock();
    outside.unlock();
    armRealtimeCheck();
    // (escaping the pointers keeps the compiler from eliding the pairs)
    auto* block = new std::vector<int>(100);
    asm volatile("" : : "g"(block) : "memory");
    delete block;
    void* raw = std::malloc(10);
    asm volatile("" : : "g"(raw) : "memory");
    std::free(raw);
    std::mutex m;
    m.lock();
    m.unlock();
    const RealtimeCounts counts = disarmRealtimeCheck();
    EXPECT_EQ(counts.allocations, 3);
    EXPECT_EQ(counts.releases, 3);
    EXPECT_EQ(counts.locks, 1);
}

#ifdef KELVORN_SECCOMP_CHECK

// Runs `work` in a child process in which any system call other than the
// final exit stops the child; returns the number of the first system call
// made, -1 when none was, or -2 when this kernel refuses seccomp filters.
template <typename Work>
long firstSystemCallIn(Work work) {
    auto* shared = static_cast<long*>(
        mmap(nullptr, sizeof(long), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    *shared = -1;
    const pid_t child = fork();
    if (child == 0) {
        static long* report;
        report = shared;
        struct sigaction action {};
        action.sa_flags = SA_SIGINFO;
        action.sa_sigaction = [](int, siginfo_t* info, void*) {
            *report = info->si_syscall;
            syscall(SYS_exit_group, 3);
        };
        sigaction(SIGSYS, &action, nullptr);
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_exit_group, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_rt_sigreturn, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
        };
        sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program, 0, 0) != 0)
            _exit(4);
        work();
        syscall(SYS_exit_group, 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const long first = *shared;
    munmap(shared, sizeof(long));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 4) return -2;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return -1;
    return first >= 0 ? first : 100000 + status;  // killed some other way
}

TEST(RealtimeCheck, SeccompChildReportsTheFirstSystemCall) {
    const long first = firstSystemCallIn([] { (void)getppid(); });
    if (first == -2) GTEST_SKIP() << "this kernel refuses seccomp filters";
    EXPECT_EQ(first, static_cast<long>(__NR_getppid));
    EXPECT_EQ(firstSystemCallIn([] {}), -1);
}

TEST_F(RealtimeSafety, ProcessingAndParameterChangesMakeNoSystemCall) {
    exerciseRealtimePaths(plugin, buffers);
    const long first = firstSystemCallIn([this] { exerciseRealtimePaths(plugin, buffers); });
    if (first == -2) GTEST_SKIP() << "this kernel refuses seccomp filters";
    EXPECT_EQ(first, -1) << "first system call: " << first;
}

#endif

}  // namespace
