// The host side of the plug-in's requests: the callback handed to the
// module's entry point, answering the version query (2400) and the usual
// questions about the host (sample rate, block size, names, capabilities).
//
// The callback carries no user pointer, and this program hosts one instance
// at a time, so the answers come from one process-wide HostState. The main
// thread sets it before it switches the plug-in on; the plug-in may call the
// callback from its entry point, its dispatcher or its processing, all of
// which run on the main thread here.
#pragma once

#include "VstInterface.h"

struct HostState {
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;
    bool processing = false;  // answers the process-level question
};

HostState& hostState();

extern "C" VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);

// Identity the host gives to plug-ins that ask.
inline constexpr const char* kHostVendor = "Kelvorn";
inline constexpr const char* kHostProduct = "kelvorn command-line host";
inline constexpr VstInt32 kHostVersion = 1000;
