#include "AudioEffectX.h"

namespace {

inline VstIntPtr oneOrZero(bool answer) { return answer ? 1 : 0; }

template <typename T>
T* pointerFrom(VstIntPtr value) {
    return reinterpret_cast<T*>(value);
}

// The key modifier travels in the float argument. A float outside the 32-bit
// range (or NaN) has no integer value, and converting it would be undefined:
// such a modifier counts as none.
unsigned char modifierFrom(float opt) {
    if (!(opt > -2147483648.0f && opt < 2147483648.0f)) return 0;
    return static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xff);
}

}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    const auto valueAsInt = static_cast<VstInt32>(value);
    const auto text = static_cast<char*>(ptr);
    switch (opcode) {
        case effProcessEvents:
            return processEvents(static_cast<VstEvents*>(ptr));
        case effCanBeAutomated:
            return oneOrZero(canParameterBeAutomated(index));
        case effString2Parameter:
            return text ? oneOrZero(string2parameter(index, text)) : 0;
        case effGetProgramNameIndexed:
            return text ? oneOrZero(getProgramNameIndexed(valueAsInt, index, text)) : 0;
        case effGetInputProperties:
            return oneOrZero(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetOutputProperties:
            return oneOrZero(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetPlugCategory:
            return getPlugCategory();
        case effOfflineNotify:
            return oneOrZero(offlineNotify(static_cast<VstAudioFile*>(ptr), valueAsInt, index != 0));
        case effOfflinePrepare:
            return oneOrZero(offlinePrepare(static_cast<VstOfflineTask*>(ptr), valueAsInt));
        case effOfflineRun:
            return oneOrZero(offlineRun(static_cast<VstOfflineTask*>(ptr), valueAsInt));
        case effProcessVarIo:
            return oneOrZero(processVariableIo(static_cast<VstVariableIo*>(ptr)));
        case effSetSpeakerArrangement:
            // The input arrangement travels in value; it is handed on as it
            // came, null included, and never read here.
            return oneOrZero(setSpeakerArrangement(pointerFrom<VstSpeakerArrangement>(value),
                                                   static_cast<VstSpeakerArrangement*>(ptr)));
        case effSetBypass:
            return oneOrZero(setBypass(value != 0));
        case effGetEffectName:
            return text ? oneOrZero(getEffectName(text)) : 0;
        case effGetVendorString:
            return text ? oneOrZero(getVendorString(text)) : 0;
        case effGetProductString:
            return text ? oneOrZero(getProductString(text)) : 0;
        case effGetVendorVersion:
            return getVendorVersion();
        case effVendorSpecific:
            return vendorSpecific(index, value, ptr, opt);
        case effCanDo:
            return text ? canDo(text) : 0;
        case effGetTailSize:
            return getGetTailSize();
        case effGetParameterProperties:
            return oneOrZero(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
        case effGetVstVersion:
            return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp:
        case effSetEditKnobMode:
            return dispatchEditorKey(opcode, index, value, opt);
        case effGetMidiProgramName:
            return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
        case effGetCurrentMidiProgram:
            return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
        case effGetMidiProgramCategory:
            return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
        case effHasMidiProgramsChanged:
            return oneOrZero(hasMidiProgramsChanged(index));
        case effGetMidiKeyName:
            return oneOrZero(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
        case effBeginSetProgram:
            return oneOrZero(beginSetProgram());
        case effEndSetProgram:
            return oneOrZero(endSetProgram());
        case effGetSpeakerArrangement:
            return oneOrZero(getSpeakerArrangement(pointerFrom<VstSpeakerArrangement*>(value),
                                                   static_cast<VstSpeakerArrangement**>(ptr)));
        case effShellGetNextPlugin:
            return text ? getNextShellPlugin(text) : 0;
        case effStartProcess:
            return startProcess();
        case effStopProcess:
            return stopProcess();
        case effSetTotalSampleToProcess:
            return setTotalSampleToProcess(valueAsInt);
        case effSetPanLaw:
            return oneOrZero(setPanLaw(valueAsInt, opt));
        case effBeginLoadBank:
            return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
        case effBeginLoadProgram:
            return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
        case effSetProcessPrecision:
            return oneOrZero(setProcessPrecision(valueAsInt));
        case effGetNumMidiInputChannels:
            return getNumMidiInputChannels();
        case effGetNumMidiOutputChannels:
            return getNumMidiOutputChannels();
        default:
            // Opcodes 0 to 24, the ones of this range without a case
            // (28, 30 to 32, 36, 37, 43, 46, 53 to 55, 57) and anything unknown.
            return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

VstIntPtr AudioEffectX::dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt) {
    if (!editor) return 0;
    if (opcode == effSetEditKnobMode) return oneOrZero(editor->setKnobMode(static_cast<VstInt32>(value)));
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<unsigned char>(value & 0xff);
    key.modifier = modifierFrom(opt);
    return oneOrZero(opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key));
}

void AudioEffectX::resume() {
    if (cEffect.flags & effFlagsIsSynth) {
        wantEvents(1);
        return;
    }
    char capability[] = "receiveVstMidiEvent";
    if (canDo(capability) == 1) wantEvents(1);
}

void AudioEffectX::wantEvents(VstInt32 filter) {
    if (audioMaster) audioMaster(&cEffect, audioMasterWantMidi, 0, filter, nullptr, 0.0f);
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                         VstSpeakerArrangement** pluginOutput) {
    if (pluginInput) *pluginInput = nullptr;
    if (pluginOutput) *pluginOutput = nullptr;
    return false;
}
