// The effect's side of the entry point: makes one QOVKelvorn.
#include <new>

#include "QOVKelvorn.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    try {
        return new QOVKelvorn(audioMaster);
    } catch (const std::bad_alloc&) {
        return nullptr;  // the host gets a null record, not an exception
    }
}
