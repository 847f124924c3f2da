// Test support: loads a VST 2.4 module the way a host does (dlopen, the
// entry point, then only the record) and records what the plug-in asks of
// the host.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "VstInterface.h"

// One host-callback request as the plug-in sent it.
struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

// A host callback that records every request. The callback carries no user
// pointer, so one RecordingHost is current per thread: the latest one made.
class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt);

    // What the host answers; by default 2400 to the version query, 0 otherwise.
    std::function<VstIntPtr(const HostCall&)> answer;
    std::vector<HostCall> calls;

    // The requests with this opcode.
    std::vector<HostCall> callsWith(VstInt32 opcode) const;

private:
    RecordingHost* previous;
};

// A loaded module. Unloads on destruction.
class PluginModule {
public:
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    void* symbol(const char* name) const;
    VstPluginMainProc entry() const;  // VSTPluginMain

    void* handle;
};

// One plug-in instance reached only through its record. Closes it with
// effClose on destruction unless the test already did.
class PluginInstance {
public:
    PluginInstance(const PluginModule& module, audioMasterCallback callback = RecordingHost::callback);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    void setParameter(VstInt32 index, float value) { effect->setParameter(effect, index, value); }
    float getParameter(VstInt32 index) { return effect->getParameter(effect, index); }
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) {
        effect->processReplacing(effect, inputs, outputs, frames);
    }
    // A text opcode (names, labels, displays) read into a fresh buffer.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
    VstIntPtr close();  // effClose; the record is gone afterwards

    AEffect* effect;
};

// Where the build put the modules.
std::string kelvornModulePath();
std::string testModulePath();
