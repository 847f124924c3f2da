// The one kind of failure the command reports: a single line for stderr that
// names the problem. Thrown on the main thread only, never from processing.
#pragma once

#include <stdexcept>
#include <string>

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};
