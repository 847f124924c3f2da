#include "RealtimeCheck.h"

#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

#include <cstddef>
#include <cstdlib>
#include <new>

// glibc's own allocator under the names it exports for exactly this purpose.
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {
thread_local bool armed = false;
thread_local RealtimeCounts counts;

void countAllocation() {
    if (armed) ++counts.allocations;
}
void countRelease() {
    if (armed) ++counts.releases;
}
void countLock() {
    if (armed) ++counts.locks;
}

// The next definition of a lock function, looked up once. dlsym may itself
// allocate, which the allocator above serves without recursion.
template <typename Fn>
Fn next(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}
}  // namespace

void armRealtimeCheck() {
    counts = RealtimeCounts{};
    armed = true;
}

RealtimeCounts disarmRealtimeCheck() {
    armed = false;
    return counts;
}

extern "C" {

void* malloc(std::size_t size) noexcept {
    countAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t n, std::size_t size) noexcept {
    countAllocation();
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t size) noexcept {
    countAllocation();
    return __libc_realloc(p, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
    countAllocation();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    countAllocation();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) noexcept {
    countAllocation();
    void* p = __libc_memalign(alignment, size);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}
void free(void* p) noexcept {
    if (p) countRelease();
    __libc_free(p);
}

int pthread_mutex_lock(pthread_mutex_t* m) noexcept {
    static auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
    countLock();
    return real(m);
}
int pthread_mutex_trylock(pthread_mutex_t* m) noexcept {
    static auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_trylock");
    countLock();
    return real(m);
}
int pthread_rwlock_rdlock(pthread_rwlock_t* l) noexcept {
    static auto real = next<int (*)(pthread_rwlock_t*)>("pthread_rwlock_rdlock");
    countLock();
    return real(l);
}
int pthread_rwlock_wrlock(pthread_rwlock_t* l) noexcept {
    static auto real = next<int (*)(pthread_rwlock_t*)>("pthread_rwlock_wrlock");
    countLock();
    return real(l);
}
int pthread_spin_lock(pthread_spinlock_t* l) noexcept {
    static auto real = next<int (*)(pthread_spinlock_t*)>("pthread_spin_lock");
    countLock();
    return real(l);
}
int sem_wait(sem_t* s) {
    static auto real = next<int (*)(sem_t*)>("sem_wait");
    countLock();
    return real(s);
}
int pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m) {
    static auto real = next<int (*)(pthread_cond_t*, pthread_mutex_t*)>("pthread_cond_wait");
    countLock();
    return real(c, m);
}

}  // extern "C"

// operator new and delete go through malloc and free above, so each is
// counted once whichever way the module allocates.
void* operator new(std::size_t size) {
    if (void* p = malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new(std::size_t size, std::align_val_t a) {
    if (void* p = aligned_alloc(static_cast<std::size_t>(a), size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t a) { return operator new(size, a); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, std::size_t) noexcept { free(p); }
void operator delete[](void* p, std::size_t) noexcept { free(p); }
void operator delete(void* p, std::align_val_t) noexcept { free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { free(p); }
