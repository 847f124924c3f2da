// ScopedDenormalFlush: flush-to-zero and denormals-are-zero for the lifetime
// of the object, then the caller's floating-point control state exactly as
// it was. The decaying tails of the feedback loop would otherwise run on
// subnormal numbers, which cost many times an ordinary operation on x86.
// Audio thread; no system call, no allocation.
#pragma once

#if defined(__SSE2__) || defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>

class ScopedDenormalFlush {
public:
    ScopedDenormalFlush() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~ScopedDenormalFlush() { _mm_setcsr(saved); }
    ScopedDenormalFlush(const ScopedDenormalFlush&) = delete;
    ScopedDenormalFlush& operator=(const ScopedDenormalFlush&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved;
};
#else
// Other processors keep their default handling.
class ScopedDenormalFlush {
public:
    ScopedDenormalFlush() = default;
    ScopedDenormalFlush(const ScopedDenormalFlush&) = delete;
    ScopedDenormalFlush& operator=(const ScopedDenormalFlush&) = delete;
};
#endif
