#include "LoadedModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "HostError.h"

namespace {

// dlerror texts may span lines; the command reports one.
std::string oneLine(const char* text) {
    std::string s = text ? text : "unknown error";
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace

LoadedModule::LoadedModule(const std::string& path) : modulePath(path) {
    // The user names a file: without a slash, dlopen would search the
    // library path for it instead of the current folder.
    std::error_code ec;
    const auto file = std::filesystem::absolute(path, ec);
    if (ec || !std::filesystem::exists(file, ec))
        throw HostError("cannot load plug-in module '" + path + "': No such file or directory");
    if (std::filesystem::is_directory(file, ec))
        throw HostError("cannot load plug-in module '" + path + "': it is a directory");
    dlerror();
    handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw HostError("cannot load plug-in module: " + oneLine(dlerror()));
    void* symbol = dlsym(handle, "VSTPluginMain");
    if (!symbol) symbol = dlsym(handle, "main");
    if (!symbol) {
        dlclose(handle);
        handle = nullptr;
        throw HostError("plug-in module '" + path + "' has no VSTPluginMain or main entry point");
    }
    entry = reinterpret_cast<VstPluginMainProc>(symbol);
}

LoadedModule::~LoadedModule() {
    if (handle) dlclose(handle);
}

AEffect* LoadedModule::createRecord(audioMasterCallback callback) const {
    AEffect* effect = entry(callback);
    if (!effect) throw HostError("plug-in module '" + modulePath + "' returned no plug-in record");
    if (effect->magic != kEffectMagic)
        throw HostError("plug-in module '" + modulePath + "' returned a record without the VST magic number");
    if (!effect->dispatcher || !effect->processReplacing || !(effect->flags & effFlagsCanReplacing))
        throw HostError("plug-in in '" + modulePath + "' does not support replacing 32-bit processing");
    if (effect->numOutputs < 1 || effect->numOutputs > 64 || effect->numInputs < 0 || effect->numInputs > 64)
        throw HostError("plug-in in '" + modulePath + "' declares " + std::to_string(effect->numInputs) +
                        " inputs and " + std::to_string(effect->numOutputs) + " outputs; kelvorn needs 1 to 64 outputs");
    return effect;
}
