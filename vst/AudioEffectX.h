// AudioEffectX: the extended part of the VST 2.4 interface (opcodes 25 to 79),
// with a default answer for every operation so an effect overrides only what
// it needs, and the host-service wrappers (host opcodes 6 to 49).
#pragma once

#include "AudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
    // Called by the entry point while it creates an instance.
    AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
        : AudioEffect(audioMaster, numPrograms, numParams) {}

    // Host's main thread. Handles the extended opcodes it knows and passes
    // everything else unchanged to AudioEffect::dispatcher.
    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;

    // Host's main thread: switching the effect on. Asks for events when the
    // effect is a synth or says it can receive MIDI.
    void resume() override;

    // ---- Programs (host's main thread) ----
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) { return false; }

    // ---- Identity (host's main thread) ----
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstInt32 canDo(char* /*text*/) { return 0; }
    virtual VstInt32 getVstVersion() { return 2400; }
};
