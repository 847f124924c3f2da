// `kelvorn info`: what a host learns about a plug-in: its identity, its
// programs and its parameters with names, values, display texts and labels
// for the current program. Main thread only.
#pragma once

#include <ostream>
#include <string>

class HostedPlugin;

void printInfo(HostedPlugin& plugin, const std::string& modulePath, std::ostream& out);
