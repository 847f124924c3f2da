// Counts what real-time code must never do, on the calling thread only:
// heap allocations and releases (malloc, calloc, realloc, the aligned
// variants, operator new and delete, all interposed by this test program
// and therefore also seen inside the dynamically loaded module) and lock
// acquisitions (pthread mutexes, read-write locks, spin locks, semaphores,
// condition waits).
//
// System calls are caught apart from this, in a child process under a
// seccomp filter (see RealtimeSafetyTest.cpp): interposing libc's wrappers
// would miss the calls glibc makes internally.
#pragma once

struct RealtimeCounts {
    long allocations = 0;
    long releases = 0;
    long locks = 0;
};

// Start counting on this thread (and reset the counts).
void armRealtimeCheck();
// Stop counting on this thread and return what happened since arming.
RealtimeCounts disarmRealtimeCheck();
