// Where the default plug-in module, Kelvorn.so, is found: beside the kelvorn
// executable, in its parent folder (the build tree), or in ../lib/vst (an
// installed tree). Main thread only.
#pragma once

#include <string>

// Throws HostError naming the places it looked.
std::string defaultModulePath();
