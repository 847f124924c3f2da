#include "PluginSettings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "HostError.h"
#include "HostedPlugin.h"

ParameterSetting parseParameterSetting(const std::string& text) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0)
        throw HostError("--set wants NAME=VALUE, got '" + text + "'");
    const std::string name = text.substr(0, eq);
    const std::string number = text.substr(eq + 1);
    char* end = nullptr;
    errno = 0;
    const double value = number.empty() ? NAN : std::strtod(number.c_str(), &end);
    if (number.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw HostError("value '" + number + "' for " + name + " is not a number (values are 0 to 1)");
    if (value < 0.0 || value > 1.0)
        throw HostError("value " + number + " for " + name + " is outside 0..1 (parameter values are normalized)");
    return {name, static_cast<float>(value)};
}

void applySettings(HostedPlugin& plugin, const std::optional<std::string>& program,
                   const std::vector<std::string>& settings) {
    // Parse everything first, so that a typo is reported before any change.
    std::vector<ParameterSetting> parsed;
    for (const auto& s : settings) parsed.push_back(parseParameterSetting(s));
    if (program) plugin.setProgram(plugin.findProgram(*program));
    for (const auto& s : parsed) plugin.setParameter(plugin.findParameter(s.name), s.value);
}
