// libFuzzer entry: every input is one host session against a fresh instance
// of the plug-in module, loaded once the way a host loads it.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "HostSession.h"
#include "PluginHost.h"

namespace {
std::unique_ptr<PluginModule> module;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    module = std::make_unique<PluginModule>(kelvornModulePath());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken = kelvorn::fuzz::runHostSession(module->entry(), data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
