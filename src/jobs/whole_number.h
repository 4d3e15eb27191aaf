#pragma once
#include <stdexcept>
#include <string>

// A text that is not a whole number where one is needed.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

// Reads a 32-bit whole number: leading spaces, an optional "+" (or "-"),
// decimal digits and nothing after; hexadecimal after "$", "x", "X", "0x" or
// "0X". Returns false for anything else.
bool tryReadWholeNumber(const std::string& text, int& value);

// For number fields and range bounds: fails with "'<text>' is not a valid integer value".
int readWholeNumber(const std::string& text);

// For range entries and watermark positions: fails with
// "'<text>' is not a valid integer value for Integer type".
int readIntegerEntry(const std::string& text);
