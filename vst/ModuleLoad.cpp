// The module's load notification: keeps this module's instance handle.
//
// On Windows the runtime's start-up code calls DllMain for every reason. On
// Linux there is no such call, so a load-time and an unload-time hook of our
// own call it with the handle the dynamic loader gave this module (its base
// address), the closest equivalent.
#include <dlfcn.h>

namespace {
constexpr unsigned long kProcessDetach = 0;
constexpr unsigned long kProcessAttach = 1;
}  // namespace

// This module's handle. Written only by the load notification.
void* hInstance = nullptr;

extern "C" int DllMain(void* instance, unsigned long /*reason*/, void* /*reserved*/) {
    hInstance = instance;
    return 1;
}

namespace {

void* thisModule() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&hInstance), &info) == 0) return nullptr;
    return info.dli_fbase;
}

__attribute__((constructor)) void onModuleLoad() { DllMain(thisModule(), kProcessAttach, nullptr); }
__attribute__((destructor)) void onModuleUnload() { DllMain(thisModule(), kProcessDetach, nullptr); }

}  // namespace
