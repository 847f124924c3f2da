// AudioEffectX: the extended part of the VST 2.4 interface (dispatcher
// opcodes 25 to 79), with a default answer for every operation so that an
// effect overrides only what it needs, the flag setters of the extended
// interface, the speaker-arrangement tools and the host-service wrappers
// (host opcodes 6 to 49).
//
// The virtual operations are declared in a fixed order after AudioEffect's:
// derived effects built against this header rely on their slots. Add new
// operations only at the end.
//
// Threads. Operations reached from the dispatcher run on the host's main
// (user-interface) thread. Host services run on the thread of whoever calls
// them and make their request on that thread. Nothing here takes a lock.
#pragma once

#include "AudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
    // Called by the entry point while it creates an instance.
    AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
        : AudioEffect(audioMaster, numPrograms, numParams) {}

    // ---- Overrides of AudioEffect (host's main thread) ----
    // Handles the extended opcodes it knows and passes everything else
    // unchanged to AudioEffect::dispatcher.
    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;
    // Switching the effect on: asks the host for events when the effect is a
    // synth or says it can receive MIDI events.
    void resume() override;

    // ---- Parameters (host's main thread) ----
    virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
    virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*p*/) { return false; }

    // ---- Host services: parameter edits (the caller's thread) ----
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);

    // ---- Programs and banks (host's main thread) ----
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual VstInt32 beginLoadBank(VstPatchChunkInfo* /*ptr*/) { return 0; }
    virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* /*ptr*/) { return 0; }

    // ---- Host services: configuration (the caller's thread) ----
    virtual bool ioChanged();
    // Asks the host and stores a positive answer into sampleRate / blockSize
    // directly, without calling setSampleRate / setBlockSize.
    virtual double updateSampleRate();
    virtual VstInt32 updateBlockSize();
    virtual VstInt32 getInputLatency();
    virtual VstInt32 getOutputLatency();

    // ---- Pins, speakers and process set-up (host's main thread) ----
    virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*pluginInput*/,
                                       VstSpeakerArrangement* /*pluginOutput*/) {
        return false;
    }
    // Stores null through each pointer that is not null itself: a host that
    // passes a null address gets nothing written through it.
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput);
    virtual bool setBypass(bool /*onOff*/) { return false; }
    virtual bool setPanLaw(VstInt32 /*type*/, float /*val*/) { return false; }
    virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }

    // ---- Host services: transport (the caller's thread) ----
    virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
    virtual VstInt32 getCurrentProcessLevel();
    virtual VstInt32 getAutomationState();

    // ---- Processing control (host's main thread; processEvents on the audio thread) ----
    virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }
    virtual bool processVariableIo(VstVariableIo* /*varIo*/) { return false; }
    virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }

    // ---- Host services: host identity (the caller's thread) ----
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual VstInt32 getHostVendorVersion();
    virtual VstIntPtr hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg);
    virtual VstInt32 canHostDo(char* text);
    virtual VstInt32 getHostLanguage();

    // ---- Record flags (the effect's constructor) ----
    virtual void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }
    virtual void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }

    // ---- Tail (host's main thread) ----
    virtual VstInt32 getGetTailSize() { return 0; }

    // ---- Host services (the caller's thread) ----
    virtual void* getDirectory();

    // ---- Identity (host's main thread) ----
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstIntPtr vendorSpecific(VstInt32 /*lArg*/, VstIntPtr /*lArg2*/, void* /*ptrArg*/, float /*floatArg*/) {
        return 0;
    }
    virtual VstInt32 canDo(char* /*text*/) { return 0; }
    virtual VstInt32 getVstVersion() { return 2400; }
    // 2 (synth) when the synth flag is set, else 0 (unknown); no other flag counts.
    virtual VstInt32 getPlugCategory() { return (cEffect.flags >> 7) & 2; }

    // ---- MIDI programs (host's main thread) ----
    virtual VstInt32 getMidiProgramName(VstInt32 /*channel*/, MidiProgramName* /*midiProgramName*/) { return 0; }
    virtual VstInt32 getCurrentMidiProgram(VstInt32 /*channel*/, MidiProgramName* /*currentProgram*/) { return -1; }
    virtual VstInt32 getMidiProgramCategory(VstInt32 /*channel*/, MidiProgramCategory* /*category*/) { return 0; }
    virtual bool hasMidiProgramsChanged(VstInt32 /*channel*/) { return false; }
    virtual bool getMidiKeyName(VstInt32 /*channel*/, MidiKeyName* /*keyName*/) { return false; }

    // ---- Host services: display and files (the caller's thread) ----
    virtual bool updateDisplay();
    virtual bool sizeWindow(VstInt32 width, VstInt32 height);
    // Answer false without asking the host when the pointer is null.
    virtual bool openFileSelector(VstFileSelect* ptr);
    virtual bool closeFileSelector(VstFileSelect* ptr);

    // ---- Shell plug-ins (host's main thread) ----
    virtual VstInt32 getNextShellPlugin(char* /*name*/) { return 0; }

    // ---- Speaker-arrangement tools (the caller's thread; they allocate, so never the audio thread) ----
    // Replaces the block *arrangement points to by a zeroed one of `channels`
    // speakers. After a failed allocation *arrangement is null; a negative
    // count is refused with false and leaves *arrangement as it was.
    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
    virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);

    // ---- Host services: offline processing (the caller's thread) ----
    virtual bool offlineRead(VstOfflineTask* offline, VstOfflineOption option, bool readSource = true);
    virtual bool offlineWrite(VstOfflineTask* offline, VstOfflineOption option);
    virtual bool offlineStart(VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles);
    virtual VstInt32 offlineGetCurrentPass();
    virtual VstInt32 offlineGetCurrentMetaPass();

    // ---- Offline processing (host's main thread) ----
    virtual bool offlineNotify(VstAudioFile* /*ptr*/, VstInt32 /*numAudioFiles*/, bool /*start*/) { return false; }
    virtual bool offlinePrepare(VstOfflineTask* /*offline*/, VstInt32 /*count*/) { return false; }
    virtual bool offlineRun(VstOfflineTask* /*offline*/, VstInt32 /*count*/) { return false; }
    virtual VstInt32 offlineGetNumPasses() { return 0; }
    virtual VstInt32 offlineGetNumMetaPasses() { return 0; }

    // ---- Host services (the caller's thread) ----
    // Asks the host to send events (audioMasterWantMidi); nothing without a callback.
    virtual void wantEvents(VstInt32 filter = 1);
    virtual VstInt32 tempoAt(VstInt32 pos);
    virtual VstInt32 getNumAutomatableParameters();
    virtual VstInt32 getParameterQuantization();

    // ---- Program categories (never reached from the dispatcher) ----
    virtual VstInt32 getNumCategories() { return 1; }
    virtual bool copyProgram(VstInt32 /*destination*/) { return false; }

    // ---- Host services: plug chain (the caller's thread) ----
    virtual bool needIdle();
    // The pin number is not sent: the request carries index 0.
    virtual AEffect* getPreviousPlug(VstInt32 input);
    virtual AEffect* getNextPlug(VstInt32 output);

    // ---- Connection notices (never reached from the dispatcher) ----
    virtual void inputConnected(VstInt32 /*index*/, bool /*state*/) {}
    virtual void outputConnected(VstInt32 /*index*/, bool /*state*/) {}

    // ---- Host services (the caller's thread) ----
    virtual VstInt32 willProcessReplacing();

    // ---- Record flags (the effect's constructor) ----
    virtual void wantAsyncOperation(bool state = true) { setFlag(effFlagsExtIsAsync, state); }
    virtual void hasExternalBuffer(bool state = true) { setFlag(effFlagsExtHasBuffer, state); }

    // ---- Asynchronous processing (never reached from the dispatcher) ----
    virtual VstInt32 reportCurrentPosition() { return 0; }
    virtual float* reportDestinationBuffer() { return nullptr; }

    // ---- Host services: output and windows (the caller's thread) ----
    virtual void setOutputSamplerate(float samplerate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow(VstWindow* window);
    virtual bool closeWindow(VstWindow* window);

    // ---- Set-up (any caller; never reached from the dispatcher) ----
    // Stores both directly, without calling setBlockSize / setSampleRate.
    virtual void setBlockSizeAndSampleRate(VstInt32 newBlockSize, float newSampleRate) {
        sampleRate.store(newSampleRate, std::memory_order_relaxed);
        blockSize.store(newBlockSize, std::memory_order_relaxed);
    }

    // ---- Editor-related answers (never reached from the dispatcher) ----
    virtual bool getErrorText(char* /*text*/) { return false; }
    virtual void* getIcon() { return nullptr; }
    virtual bool setViewPosition(VstInt32 /*x*/, VstInt32 /*y*/) { return false; }
    virtual VstInt32 fxIdle() { return 0; }
    virtual bool keysRequired() { return false; }

    // ---- Host services (the caller's thread) ----
    // Answers false without asking the host when nativePath is null.
    virtual bool getChunkFile(void* nativePath);

private:
    VstIntPtr dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt);
};
