// The VST 2.4 binary interface as the host sees it: the plug-in record, the
// entry and callback types, the opcodes and flag values this module uses.
//
// Everything here crosses the host boundary, so sizes and offsets are fixed:
// the record is 144 bytes on a 32-bit target; on a 64-bit target every
// pointer-width field grows to 8 bytes with natural alignment (192 bytes),
// which is what 64-bit hosts expect. The static_asserts at the end prove it.
#pragma once

#include <cstddef>
#include <cstdint>

using VstInt32 = std::int32_t;
using VstIntPtr = std::intptr_t;

struct AEffect;

// All functions exchanged with the host use the platform's C calling
// convention (the compiler default for extern "C" functions on Linux).
extern "C" {
using audioMasterCallback = VstIntPtr (*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                          VstIntPtr value, void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr (*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                            VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void (*)(AEffect* effect, float** inputs, float** outputs,
                                    VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void (*)(AEffect* effect, double** inputs, double** outputs,
                                          VstInt32 sampleFrames);
using AEffectSetParameterProc = void (*)(AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float (*)(AEffect* effect, VstInt32 index);
using VstPluginMainProc = AEffect* (*)(audioMasterCallback audioMaster);
}

// Four-character codes: the first character goes into the most significant byte.
constexpr VstInt32 fourCharCode(char a, char b, char c, char d) {
    return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                 static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = fourCharCode('V', 's', 't', 'P');

// The plug-in record. The host owns the pointer, the plug-in owns the memory.
struct AEffect {
    VstInt32 magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;  // deprecated accumulating processing
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    VstInt32 initialDelay;
    VstInt32 realQualities;  // deprecated
    VstInt32 offQualities;   // deprecated
    float ioRatio;           // deprecated
    void* object;            // the AudioEffect that owns this record
    void* user;              // free for the host
    VstInt32 uniqueID;
    VstInt32 version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

// Record flags.
enum VstAEffectFlags : VstInt32 {
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsExtIsAsync = 1 << 10,
    effFlagsExtHasBuffer = 1 << 11,
    effFlagsCanDoubleReplacing = 1 << 12,
};

// Dispatcher opcodes, host to plug-in.
enum AEffectOpcodes : VstInt32 {
    effOpen = 0,
    effClose,
    effSetProgram,
    effGetProgram,
    effSetProgramName,
    effGetProgramName,
    effGetParamLabel,
    effGetParamDisplay,
    effGetParamName,
    effGetVu,
    effSetSampleRate,
    effSetBlockSize,
    effMainsChanged,
    effEditGetRect,
    effEditOpen,
    effEditClose,
    effEditDraw,
    effEditMouse,
    effEditKey,
    effEditIdle,
    effEditTop,
    effEditSleep,
    effIdentify,
    effGetChunk,
    effSetChunk,
    effProcessEvents,  // 25
    effCanBeAutomated,
    effString2Parameter,
    effGetNumProgramCategories,
    effGetProgramNameIndexed,
    effCopyProgram,  // 30
    effConnectInput,
    effConnectOutput,
    effGetInputProperties,
    effGetOutputProperties,
    effGetPlugCategory,  // 35
    effGetCurrentPosition,
    effGetDestinationBuffer,
    effOfflineNotify,
    effOfflinePrepare,
    effOfflineRun,  // 40
    effProcessVarIo,
    effSetSpeakerArrangement,
    effSetBlockSizeAndSampleRate,
    effSetBypass,
    effGetEffectName,  // 45
    effGetErrorText,
    effGetVendorString,
    effGetProductString,
    effGetVendorVersion,
    effVendorSpecific,  // 50
    effCanDo,
    effGetTailSize,
    effIdle,
    effGetIcon,
    effSetViewPosition,  // 55
    effGetParameterProperties,
    effKeysRequired,
    effGetVstVersion,
    effEditKeyDown,
    effEditKeyUp,  // 60
    effSetEditKnobMode,
    effGetMidiProgramName,
    effGetCurrentMidiProgram,
    effGetMidiProgramCategory,
    effHasMidiProgramsChanged,  // 65
    effGetMidiKeyName,
    effBeginSetProgram,
    effEndSetProgram,
    effGetSpeakerArrangement,
    effShellGetNextPlugin,  // 70
    effStartProcess,
    effStopProcess,
    effSetTotalSampleToProcess,
    effSetPanLaw,
    effBeginLoadBank,  // 75
    effBeginLoadProgram,
    effSetProcessPrecision,
    effGetNumMidiInputChannels,
    effGetNumMidiOutputChannels,  // 79
};

// Host-callback opcodes, plug-in to host.
enum AudioMasterOpcodes : VstInt32 {
    audioMasterAutomate = 0,
    audioMasterVersion,
    audioMasterCurrentId,
    audioMasterIdle,
    audioMasterPinConnected,
    audioMasterWantMidi = 6,
    audioMasterGetTime,
    audioMasterProcessEvents,
    audioMasterSetTime,
    audioMasterTempoAt,  // 10
    audioMasterGetNumAutomatableParameters,
    audioMasterGetParameterQuantization,
    audioMasterIOChanged,
    audioMasterNeedIdle,
    audioMasterSizeWindow,  // 15
    audioMasterGetSampleRate,
    audioMasterGetBlockSize,
    audioMasterGetInputLatency,
    audioMasterGetOutputLatency,
    audioMasterGetPreviousPlug,  // 20
    audioMasterGetNextPlug,
    audioMasterWillReplaceOrAccumulate,
    audioMasterGetCurrentProcessLevel,
    audioMasterGetAutomationState,
    audioMasterOfflineStart,  // 25
    audioMasterOfflineRead,
    audioMasterOfflineWrite,
    audioMasterOfflineGetCurrentPass,
    audioMasterOfflineGetCurrentMetaPass,
    audioMasterSetOutputSampleRate,  // 30
    audioMasterGetOutputSpeakerArrangement,
    audioMasterGetVendorString,
    audioMasterGetProductString,
    audioMasterGetVendorVersion,
    audioMasterVendorSpecific,  // 35
    audioMasterSetIcon,
    audioMasterCanDo,
    audioMasterGetLanguage,
    audioMasterOpenWindow,
    audioMasterCloseWindow,  // 40
    audioMasterGetDirectory,
    audioMasterUpdateDisplay,
    audioMasterBeginEdit,
    audioMasterEndEdit,
    audioMasterOpenFileSelector,  // 45
    audioMasterCloseFileSelector,
    audioMasterEditFile,
    audioMasterGetChunkFile,
    audioMasterGetInputSpeakerArrangement,  // 49
};

enum VstPlugCategory : VstInt32 {
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
};

// Text bounds in characters; the host's buffer holds one more byte for the terminator.
enum VstStringConstants : VstInt32 {
    kVstMaxProgNameLen = 24,
    kVstMaxParamStrLen = 8,
    kVstMaxVendorStrLen = 64,
    kVstMaxProductStrLen = 64,
    kVstMaxEffectNameLen = 32,
};

// Records that the base classes read or write.
struct VstSpeakerProperties {
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    VstInt32 type;
    char future[28];
};

// A header followed by numChannels speaker records. Arrangements made by
// AudioEffectX::allocateArrangement are exactly 8 + 112 * numChannels bytes
// long, so only speakers[0 .. numChannels - 1] may be touched.
struct VstSpeakerArrangement {
    VstInt32 type;
    VstInt32 numChannels;
    VstSpeakerProperties speakers[8];
};

struct VstKeyCode {
    VstInt32 character;
    unsigned char virt;
    unsigned char modifier;
};

using VstOfflineOption = VstInt32;

// Records that pass through this module unread: only their addresses travel.
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstParameterProperties;
struct VstVariableIo;
struct VstAudioFile;
struct VstOfflineTask;
struct VstPatchChunkInfo;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
struct VstFileSelect;
struct VstWindow;

// Layout checks: the host reads these bytes directly.
constexpr std::size_t kPtr = sizeof(void*);
static_assert(sizeof(VstIntPtr) == kPtr);
static_assert(sizeof(float) == 4 && sizeof(VstInt32) == 4);
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == kPtr);
static_assert(offsetof(AEffect, process) == 2 * kPtr);
static_assert(offsetof(AEffect, setParameter) == 3 * kPtr);
static_assert(offsetof(AEffect, getParameter) == 4 * kPtr);
static_assert(offsetof(AEffect, numPrograms) == 5 * kPtr);
static_assert(offsetof(AEffect, numParams) == 5 * kPtr + 4);
static_assert(offsetof(AEffect, numInputs) == 5 * kPtr + 8);
static_assert(offsetof(AEffect, numOutputs) == 5 * kPtr + 12);
static_assert(offsetof(AEffect, flags) == 5 * kPtr + 16);
static_assert(offsetof(AEffect, resvd1) == (kPtr == 4 ? 40 : 64));
static_assert(offsetof(AEffect, resvd2) == (kPtr == 4 ? 44 : 72));
static_assert(offsetof(AEffect, initialDelay) == (kPtr == 4 ? 48 : 80));
static_assert(offsetof(AEffect, realQualities) == (kPtr == 4 ? 52 : 84));
static_assert(offsetof(AEffect, offQualities) == (kPtr == 4 ? 56 : 88));
static_assert(offsetof(AEffect, ioRatio) == (kPtr == 4 ? 60 : 92));
static_assert(offsetof(AEffect, object) == (kPtr == 4 ? 64 : 96));
static_assert(offsetof(AEffect, user) == (kPtr == 4 ? 68 : 104));
static_assert(offsetof(AEffect, uniqueID) == (kPtr == 4 ? 72 : 112));
static_assert(offsetof(AEffect, version) == (kPtr == 4 ? 76 : 116));
static_assert(offsetof(AEffect, processReplacing) == (kPtr == 4 ? 80 : 120));
static_assert(offsetof(AEffect, processDoubleReplacing) == (kPtr == 4 ? 84 : 128));
static_assert(offsetof(AEffect, future) == (kPtr == 4 ? 88 : 136));
static_assert(sizeof(AEffect) == (kPtr == 4 ? 144 : 192));
static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(offsetof(VstSpeakerProperties, name) == 16);
static_assert(offsetof(VstSpeakerProperties, type) == 80);
static_assert(offsetof(VstSpeakerProperties, future) == 84);
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);
static_assert(sizeof(VstKeyCode) == 8);
static_assert(kEffectMagic == 0x56737450);
