#pragma once
#include <stdexcept>
#include <string>

// Failure of the PDF engine; carries only its message text.
class EPdfError : public std::runtime_error {
public:
    explicit EPdfError(const std::string& message) : std::runtime_error(message) {}
};
