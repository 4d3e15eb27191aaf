#pragma once
#include <stdexcept>
#include <string>

// A call the system refused; the message is the system's reason only, the
// caller names the file.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& reason) : std::runtime_error(reason) {}
};
