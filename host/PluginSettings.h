// Applies what the command line asks of the plug-in before rendering or
// printing: a program (by number or name), then parameter values by the
// names the plug-in gives them ("W1Delay=0.25"), normalized 0..1.
// Main thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

class HostedPlugin;

struct ParameterSetting {
    std::string name;
    float value;
};

// "NAME=VALUE" with VALUE a number from 0 to 1; throws HostError otherwise.
ParameterSetting parseParameterSetting(const std::string& text);

// Program first, so that --set changes a value of the chosen program.
// Throws HostError for an unknown program or parameter.
void applySettings(HostedPlugin& plugin, const std::optional<std::string>& program,
                   const std::vector<std::string>& settings);
