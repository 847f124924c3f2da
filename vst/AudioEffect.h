// AudioEffect: the root of the effect class hierarchy.
//
// It owns the plug-in record that the host holds, turns every call the host
// makes on that record into a virtual call on the object, keeps the state
// that every effect needs and wraps the first host services (opcodes 0 to 4).
//
// Threads. The host calls the dispatcher from its user-interface or main
// thread, the processing entries from its audio thread, and the parameter
// entries from either (automation may arrive on the audio thread). The
// members that more than one of those threads touch (sample rate, block size,
// current program) are atomics accessed with relaxed order: a single 32-bit
// load or store, free of data races and locks.
#pragma once

#include <atomic>

#include "AEffEditor.h"
#include "VstInterface.h"

class AudioEffect {
public:
    // Called by the entry point while it creates an instance.
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    // Called from the record's dispatcher entry on effClose, never directly.
    virtual ~AudioEffect();

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    // ---- Dispatch (host's main thread) ----
    // Opcodes 0 to 24; every other opcode is answered with 0.
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt);

    // ---- State notifications (host's main thread) ----
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    // ---- Set-up (host's main thread) ----
    virtual void setSampleRate(float newSampleRate) { sampleRate.store(newSampleRate, std::memory_order_relaxed); }
    virtual void setBlockSize(VstInt32 newBlockSize) { blockSize.store(newBlockSize, std::memory_order_relaxed); }

    // ---- Processing (host's audio thread) ----
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/,
                                        VstInt32 /*sampleFrames*/) {}

    // ---- Parameters (any host thread) ----
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    // Sets the parameter first, then tells the host.
    virtual void setParameterAutomated(VstInt32 index, float value);

    // ---- Programs (host's main thread; setProgram may come from any thread) ----
    virtual VstInt32 getProgram() { return curProgram.load(std::memory_order_relaxed); }
    virtual void setProgram(VstInt32 program) { curProgram.store(program, std::memory_order_relaxed); }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name) { name[0] = 0; }

    // ---- Parameter texts (host's main thread) ----
    virtual void getParameterLabel(VstInt32 /*index*/, char* label) { label[0] = 0; }
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { text[0] = 0; }
    virtual void getParameterName(VstInt32 /*index*/, char* text) { text[0] = 0; }

    // ---- Chunks (host's main thread) ----
    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/ = false) { return 0; }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/ = false) { return 0; }

    // ---- Record set-up (constructor of the derived effect) ----
    virtual void setUniqueID(VstInt32 iD) { cEffect.uniqueID = iD; }
    virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }

    // ---- Accessors (any thread) ----
    virtual AEffEditor* getEditor() { return editor; }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate.load(std::memory_order_relaxed); }
    virtual VstInt32 getBlockSize() { return blockSize.load(std::memory_order_relaxed); }

    // ---- Host calls, opcodes 0 to 4 (the caller's thread) ----
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();

    // ---- Value formatting (any thread; write at most maxLen characters and a terminator) ----
    virtual void dB2string(float value, char* text, VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, VstInt32 maxLen);
    virtual void float2string(float value, char* text, VstInt32 maxLen);
    virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

    // ---- Deprecated (kept for hosts that still call them) ----
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state = true) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state = true) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state = true) { setFlag(effFlagsCanMono, state); }
    virtual void setRealtimeQualities(VstInt32 qualities) { cEffect.realQualities = qualities; }
    virtual void setOfflineQualities(VstInt32 qualities) { cEffect.offQualities = qualities; }
    virtual bool isInputConnected(VstInt32 input);
    virtual bool isOutputConnected(VstInt32 output);

protected:
    void setFlag(VstInt32 flag, bool state) {
        if (state)
            cEffect.flags |= flag;
        else
            cEffect.flags &= ~flag;
    }

    audioMasterCallback audioMaster;
    AEffEditor* editor;
    std::atomic<float> sampleRate;
    std::atomic<VstInt32> blockSize;
    VstInt32 numPrograms;
    VstInt32 numParams;
    std::atomic<VstInt32> curProgram;
    AEffect cEffect;

private:
    VstIntPtr dispatchEditor(VstInt32 opcode, void* ptr);
};

// The factory the effect supplies: one new effect object, or null when none
// could be made. Called by the entry point, on whichever thread the host uses
// to create instances.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
