#include "CrashGuard.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

char temporaryPath[4096] = {};
volatile sig_atomic_t stopRequested = 0;

void writeText(const char* text) {
    const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void onFatal(int signal) {
    if (temporaryPath[0]) unlink(temporaryPath);
    const char* name = signal == SIGSEGV ? "SIGSEGV" : signal == SIGBUS ? "SIGBUS" : signal == SIGFPE ? "SIGFPE"
                     : signal == SIGILL  ? "SIGILL"  : "SIGABRT";
    writeText("kelvorn: error: the plug-in crashed (");
    writeText(name);
    writeText("); no output was written\n");
    _exit(70);
}

void onInterrupt(int) {
    if (stopRequested) {  // a second Ctrl-C: leave now
        if (temporaryPath[0]) unlink(temporaryPath);
        _exit(130);
    }
    stopRequested = 1;
}

}  // namespace

namespace CrashGuard {

void install() {
    struct sigaction fatal {};
    fatal.sa_handler = onFatal;
    fatal.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&fatal.sa_mask);
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) sigaction(s, &fatal, nullptr);
    struct sigaction interrupt {};
    interrupt.sa_handler = onInterrupt;
    sigemptyset(&interrupt.sa_mask);
    for (int s : {SIGINT, SIGTERM}) sigaction(s, &interrupt, nullptr);
}

void setTemporaryFile(const char* path) {
    temporaryPath[0] = '\0';
    if (path && std::strlen(path) < sizeof temporaryPath) std::strcpy(temporaryPath, path);
}

bool interrupted() { return stopRequested != 0; }

}  // namespace CrashGuard
