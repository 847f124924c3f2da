// Keeps a crash inside a plug-in from ending the command without a word or
// leaving a temporary file behind: fatal signals (and Ctrl-C) print one line
// on stderr, remove the registered temporary file and exit non-zero.
// install() and the setters run on the main thread; the handlers use only
// async-signal-safe calls.
#pragma once

namespace CrashGuard {
void install();
// The temporary output to remove if the process dies; null clears it.
void setTemporaryFile(const char* path);
// Whether Ctrl-C asked the render to stop (checked between blocks).
bool interrupted();
}  // namespace CrashGuard
