#include "HostCallback.h"

#include <cstring>
#include <string_view>

namespace {

// Process levels a host reports: the user thread, or offline rendering.
constexpr VstIntPtr kProcessLevelUser = 1;
constexpr VstIntPtr kProcessLevelOffline = 4;
constexpr VstIntPtr kAutomationOff = 1;
constexpr VstIntPtr kLanguageEnglish = 1;

// Plug-ins pass a buffer of at least 64 characters plus the terminator.
void copyText(void* ptr, const char* text) {
    if (!ptr) return;
    std::strncpy(static_cast<char*>(ptr), text, kVstMaxVendorStrLen);
    static_cast<char*>(ptr)[kVstMaxVendorStrLen] = '\0';
}

VstIntPtr canDo(const void* ptr) {
    if (!ptr) return 0;
    const std::string_view what(static_cast<const char*>(ptr));
    // Only what this host really does: it sends start/stop around processing.
    if (what == "startStopProcess") return 1;
    return -1;  // "cannot" rather than "don't know"
}

}  // namespace

HostState& hostState() {
    static HostState state;
    return state;
}

extern "C" VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    const HostState& state = hostState();
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterGetSampleRate: return static_cast<VstIntPtr>(state.sampleRate);
        case audioMasterGetBlockSize: return state.blockSize;
        case audioMasterGetCurrentProcessLevel:
            return state.processing ? kProcessLevelOffline : kProcessLevelUser;
        case audioMasterGetAutomationState: return kAutomationOff;
        case audioMasterGetVendorString: copyText(ptr, kHostVendor); return 1;
        case audioMasterGetProductString: copyText(ptr, kHostProduct); return 1;
        case audioMasterGetVendorVersion: return kHostVersion;
        case audioMasterCanDo: return canDo(ptr);
        case audioMasterGetLanguage: return kLanguageEnglish;
        // No time info, no MIDI, no windows, no I/O changes: "not supported".
        default: return 0;
    }
}
