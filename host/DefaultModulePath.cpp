#include "DefaultModulePath.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "HostError.h"

std::string defaultModulePath() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw HostError("cannot find the kelvorn executable's folder; use --plugin PATH");
    const fs::path dir = exe.parent_path();
    const fs::path candidates[] = {dir / "Kelvorn.so", dir.parent_path() / "Kelvorn.so",
                                   dir.parent_path() / "lib" / "vst" / "Kelvorn.so"};
    for (const auto& c : candidates)
        if (fs::is_regular_file(c, ec)) return c.string();
    throw HostError("cannot find Kelvorn.so beside " + exe.string() + " (looked in " + dir.string() + ", " +
                    dir.parent_path().string() + " and " + (dir.parent_path() / "lib" / "vst").string() +
                    "); use --plugin PATH");
}
