// A VST 2.4 module loaded the way a sequencer loads one: dlopen, the entry
// point VSTPluginMain (or main), and from then on only the record it returns.
// Main thread only.
#pragma once

#include <string>

#include "VstInterface.h"

class LoadedModule {
public:
    // Throws HostError when the file cannot be loaded or has no entry point.
    explicit LoadedModule(const std::string& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    // Calls the entry point with the host callback. Throws HostError for a
    // null record or one this host cannot drive (wrong magic, no replacing
    // processing); such a record is left alone, never closed.
    AEffect* createRecord(audioMasterCallback callback) const;

    const std::string& path() const { return modulePath; }

private:
    std::string modulePath;
    void* handle = nullptr;
    VstPluginMainProc entry = nullptr;
};
