// The host-service wrappers of AudioEffectX: each sends one host-callback
// request and hands the host's answer back in the type its caller expects.
// Without a host callback none of them sends anything; each then gives a
// neutral answer (null, 0, false, or the stored value for the two updates).
#include "AudioEffectX.h"

namespace {

template <typename T>
T* pointerFrom(VstIntPtr answer) {
    return reinterpret_cast<T*>(answer);
}

}  // namespace

// ---- Answers returned as they came ----

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
    if (!audioMaster) return nullptr;
    return pointerFrom<VstTimeInfo>(audioMaster(&cEffect, audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

VstInt32 AudioEffectX::tempoAt(VstInt32 pos) {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterTempoAt, 0, pos, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getNumAutomatableParameters() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(
        audioMaster(&cEffect, audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getParameterQuantization() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(
        audioMaster(&cEffect, audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getInputLatency() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetInputLatency, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getOutputLatency() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f));
}

AEffect* AudioEffectX::getPreviousPlug(VstInt32 /*input*/) {
    if (!audioMaster) return nullptr;
    return pointerFrom<AEffect>(audioMaster(&cEffect, audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f));
}

AEffect* AudioEffectX::getNextPlug(VstInt32 /*output*/) {
    if (!audioMaster) return nullptr;
    return pointerFrom<AEffect>(audioMaster(&cEffect, audioMasterGetNextPlug, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::willProcessReplacing() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(
        audioMaster(&cEffect, audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getCurrentProcessLevel() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(
        audioMaster(&cEffect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getAutomationState() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetAutomationState, 0, 0, nullptr, 0.0f));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    if (!audioMaster) return nullptr;
    return pointerFrom<VstSpeakerArrangement>(
        audioMaster(&cEffect, audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0.0f));
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    if (!audioMaster) return nullptr;
    return pointerFrom<VstSpeakerArrangement>(
        audioMaster(&cEffect, audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getHostVendorVersion() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg) {
    if (!audioMaster) return 0;
    return audioMaster(&cEffect, audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}

VstInt32 AudioEffectX::getHostLanguage() {
    if (!audioMaster) return 0;
    return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetLanguage, 0, 0, nullptr, 0.0f));
}

void* AudioEffectX::openWindow(VstWindow* window) {
    if (!audioMaster) return nullptr;
    return pointerFrom<void>(audioMaster(&cEffect, audioMasterOpenWindow, 0, 0, window, 0.0f));
}

void* AudioEffectX::getDirectory() {
    if (!audioMaster) return nullptr;
    return pointerFrom<void>(audioMaster(&cEffect, audioMasterGetDirectory, 0, 0, nullptr, 0.0f));
}

// ---- Answers turned into true / false (or 1 / 0) ----

bool AudioEffectX::ioChanged() {
    return audioMaster && audioMaster(&cEffect, audioMasterIOChanged, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::needIdle() {
    return audioMaster && audioMaster(&cEffect, audioMasterNeedIdle, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return audioMaster && audioMaster(&cEffect, audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}

bool AudioEffectX::offlineStart(VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles) {
    return audioMaster &&
           audioMaster(&cEffect, audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr, 0.0f) != 0;
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstOfflineOption option, bool readSource) {
    return audioMaster &&
           audioMaster(&cEffect, audioMasterOfflineRead, readSource ? 1 : 0, option, offline, 0.0f) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstOfflineOption option) {
    return audioMaster && audioMaster(&cEffect, audioMasterOfflineWrite, 0, option, offline, 0.0f) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass() {
    return audioMaster && audioMaster(&cEffect, audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass() {
    return audioMaster &&
           audioMaster(&cEffect, audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::getHostVendorString(char* text) {
    return audioMaster && audioMaster(&cEffect, audioMasterGetVendorString, 0, 0, text, 0.0f) != 0;
}

bool AudioEffectX::getHostProductString(char* text) {
    return audioMaster && audioMaster(&cEffect, audioMasterGetProductString, 0, 0, text, 0.0f) != 0;
}

VstInt32 AudioEffectX::canHostDo(char* text) {
    return audioMaster && audioMaster(&cEffect, audioMasterCanDo, 0, 0, text, 0.0f) != 0;
}

bool AudioEffectX::closeWindow(VstWindow* window) {
    return audioMaster && audioMaster(&cEffect, audioMasterCloseWindow, 0, 0, window, 0.0f) != 0;
}

bool AudioEffectX::updateDisplay() {
    return audioMaster && audioMaster(&cEffect, audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::beginEdit(VstInt32 index) {
    return audioMaster && audioMaster(&cEffect, audioMasterBeginEdit, index, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index) {
    return audioMaster && audioMaster(&cEffect, audioMasterEndEdit, index, 0, nullptr, 0.0f) != 0;
}

// The three file operations hand the host a record it will fill or read:
// a null one is refused here rather than passed on.

bool AudioEffectX::openFileSelector(VstFileSelect* ptr) {
    return audioMaster && ptr && audioMaster(&cEffect, audioMasterOpenFileSelector, 0, 0, ptr, 0.0f) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* ptr) {
    return audioMaster && ptr && audioMaster(&cEffect, audioMasterCloseFileSelector, 0, 0, ptr, 0.0f) != 0;
}

bool AudioEffectX::getChunkFile(void* nativePath) {
    return audioMaster && nativePath &&
           audioMaster(&cEffect, audioMasterGetChunkFile, 0, 0, nativePath, 0.0f) != 0;
}

// ---- Answers with no result ----

void AudioEffectX::setOutputSamplerate(float samplerate) {
    if (audioMaster) audioMaster(&cEffect, audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}

// ---- Answers stored into the base members ----
// Both write the member directly: an effect that reacts to setSampleRate or
// setBlockSize is not told of a change made here.

double AudioEffectX::updateSampleRate() {
    if (audioMaster) {
        const auto answer =
            static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f));
        if (answer > 0) sampleRate.store(static_cast<float>(answer), std::memory_order_relaxed);
    }
    return sampleRate.load(std::memory_order_relaxed);
}

VstInt32 AudioEffectX::updateBlockSize() {
    if (audioMaster) {
        // Read as the 32-bit member it becomes, so that a wide answer whose low
        // half is 0 or negative cannot store a size that is not positive.
        const auto answer =
            static_cast<VstInt32>(audioMaster(&cEffect, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f));
        if (answer > 0) blockSize.store(answer, std::memory_order_relaxed);
    }
    return blockSize.load(std::memory_order_relaxed);
}
