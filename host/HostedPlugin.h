// One plug-in instance, reached only through its record: the dispatcher, the
// parameter entries and replacing processing. Opened on construction (effOpen)
// and closed on destruction (mains off if on, then effClose).
// Main thread only: this host also processes on the main thread.
#pragma once

#include <optional>
#include <string>

#include "LoadedModule.h"
#include "VstInterface.h"

struct PluginIdentity {
    std::string effectName, vendor, product;
    VstInt32 vendorVersion = 0, vstVersion = 0, uniqueID = 0, version = 0, category = 0;
};

class HostedPlugin {
public:
    explicit HostedPlugin(const LoadedModule& module);
    ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    const AEffect& record() const { return *effect; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

    PluginIdentity identity();

    int numPrograms() const { return effect->numPrograms; }
    int currentProgram();
    std::string programName(int program);
    void setProgram(int program);
    // A program number ("3") or name ("Echo"); throws HostError if unknown.
    int findProgram(const std::string& numberOrName);

    int numParams() const { return effect->numParams; }
    std::string paramName(int index);
    std::string paramLabel(int index);
    std::string paramDisplay(int index);
    float getParameter(int index);
    void setParameter(int index, float value);
    // A parameter by the name the plug-in gives it; throws HostError if unknown.
    int findParameter(const std::string& name);

    // effSetSampleRate, effSetBlockSize, mains on, start processing.
    void start(float sampleRate, VstInt32 blockSize);
    void process(float** inputs, float** outputs, VstInt32 frames);
    // Stop processing, mains off.
    void stop();

private:
    std::string text(VstInt32 opcode, VstInt32 index);

    AEffect* effect;
    bool running = false;
};
