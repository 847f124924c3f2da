// Processing, parameter changes and program switches allocate nothing. This
// executable links the effect directly and counts every heap request made
// while counting is on (operator new in all its forms and the C allocator).
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "QOVKelvorn.h"

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void note() {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
    note();
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
    note();
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* p, std::size_t size) {
    note();
    return __libc_realloc(p, size);
}

void* operator new(std::size_t size) {
    note();
    if (void* p = __libc_malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { note(); return __libc_malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { note(); return __libc_malloc(size ? size : 1); }
void operator delete(void* p) noexcept { __libc_free(p); }
void operator delete[](void* p) noexcept { __libc_free(p); }
void operator delete(void* p, std::size_t) noexcept { __libc_free(p); }
void operator delete[](void* p, std::size_t) noexcept { __libc_free(p); }

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(NoAllocation, ProcessingParametersAndProgramsUseOnlyConstructorMemory) {
    AudioEffect* object = createEffectInstance(host);
    ASSERT_NE(object, nullptr);
    AEffect* effect = object->getAeffect();

    std::vector<float> inL(140000), inR(140000), outL(140000), outR(140000);
    for (std::size_t i = 0; i < inL.size(); ++i) inL[i] = inR[i] = std::sin(0.01f * static_cast<float>(i));
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};

    // The counter sees what it should.
    counting = true;
    delete new int(1);
    std::free(std::malloc(16));
    counting = false;
    ASSERT_EQ(allocations.exchange(0), 2);

    counting = true;
    for (VstInt32 program = 0; program < 16; ++program) {
        effect->dispatcher(effect, effSetProgram, 0, program, nullptr, 0.0f);
        effect->setParameter(effect, program % 9, 0.7f);
        effect->processReplacing(effect, inputs, outputs, 512);
    }
    effect->setParameter(effect, 4, 0.9f);  // the pitch stage runs too
    effect->processReplacing(effect, inputs, outputs, 1024);
    effect->setParameter(effect, 4, 0.33333334f);
    effect->processReplacing(effect, inputs, outputs, 140000);  // a block longer than the work blocks
    effect->processReplacing(effect, inputs, outputs, 0);
    counting = false;

    EXPECT_EQ(allocations.load(), 0);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
