#include "AudioEffectX.h"

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    switch (opcode) {
        case effGetProgramNameIndexed:
            return getProgramNameIndexed(static_cast<VstInt32>(value), index, static_cast<char*>(ptr)) ? 1 : 0;
        case effGetEffectName:
            return getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorString:
            return getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetProductString:
            return getProductString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorVersion:
            return getVendorVersion();
        case effCanDo:
            return canDo(static_cast<char*>(ptr));
        case effGetVstVersion:
            return getVstVersion();
        default:
            return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

void AudioEffectX::resume() {}
