#include "InfoPrinter.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "HostedPlugin.h"

namespace {

std::string fourChars(VstInt32 id) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char c = static_cast<unsigned char>((static_cast<std::uint32_t>(id) >> shift) & 0xFF);
        if (c < 32 || c > 126) return "";
        s += static_cast<char>(c);
    }
    return s;
}

std::string category(VstInt32 c) {
    static const char* names[] = {"unknown", "effect", "synth", "analysis", "mastering", "spatializer",
                                  "room effect", "surround", "restoration", "offline process", "shell", "generator"};
    return c >= 0 && c < 12 ? names[c] : "unknown";
}

std::string padded(const std::string& s, std::size_t width) {
    return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

}  // namespace

void printInfo(HostedPlugin& plugin, const std::string& modulePath, std::ostream& out) {
    const PluginIdentity id = plugin.identity();
    const AEffect& r = plugin.record();
    const std::string code = fourChars(id.uniqueID);
    out << "Module:         " << modulePath << "\n"
        << "Effect name:    " << id.effectName << "\n"
        << "Vendor:         " << id.vendor << "\n"
        << "Product:        " << id.product << "\n"
        << "Vendor version: " << id.vendorVersion << "\n"
        << "VST version:    " << id.vstVersion << "\n"
        << "Unique ID:      " << (code.empty() ? "" : "'" + code + "' ") << "(" << id.uniqueID << ")\n"
        << "Plug-in version: " << id.version << "\n"
        << "Category:       " << category(id.category) << "\n"
        << "Audio:          " << r.numInputs << " in, " << r.numOutputs << " out\n";

    const int current = plugin.currentProgram();
    out << "\nPrograms (" << plugin.numPrograms() << "):\n";
    for (int p = 0; p < plugin.numPrograms(); ++p)
        out << (p == current ? " * " : "   ") << padded(std::to_string(p), 3) << " " << plugin.programName(p) << "\n";

    out << "\nParameters (" << plugin.numParams() << ")";
    if (plugin.numPrograms() > 0) out << " in program " << current << " \"" << plugin.programName(current) << "\"";
    out << ":\n";
    out << "   #   name              value     display       label\n";
    for (int i = 0; i < plugin.numParams(); ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%.6g", static_cast<double>(plugin.getParameter(i)));
        out << "   " << padded(std::to_string(i), 3) << " " << padded(plugin.paramName(i), 17) << " "
            << padded(value, 9) << " " << padded(plugin.paramDisplay(i), 13) << " " << plugin.paramLabel(i) << "\n";
    }
}
