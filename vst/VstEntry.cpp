// The module's entry point: one function exported under the two names that
// hosts look for, VSTPluginMain and main.
//
// The host calls it once per instance it wants, on whatever thread it creates
// plug-ins from. It keeps nothing of the instances it makes.
#include <new>

#include "AudioEffect.h"

#define KELVORN_EXPORT __attribute__((visibility("default")))

extern "C" KELVORN_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    // A host that hands over no callback cannot answer the version query;
    // refuse it rather than calling through a null pointer.
    if (!audioMaster) return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;

    // No exception may cross into the host: a failed creation is a null record.
    AudioEffect* effect = nullptr;
    try {
        effect = createEffectInstance(audioMaster);
    } catch (...) {
        effect = nullptr;
    }
    return effect ? effect->getAeffect() : nullptr;
}

// The same function under the name "main": an alias, not a copy, so both
// names resolve to one address. (A C++ declaration cannot be named main, so
// the symbol name is given to the assembler directly.)
extern "C" KELVORN_EXPORT AEffect* vstPluginMainAsMain(audioMasterCallback audioMaster)
    __asm__("main") __attribute__((alias("VSTPluginMain")));
