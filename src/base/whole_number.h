#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

// Reading of whole numbers as the user types them: counts, page numbers,
// range bounds and watermark positions. Header-only, so that finishing reads
// the watermark's position the same way without depending on the jobs.

// A text that is not a whole number where one is needed.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const std::string& message) : std::runtime_error(message) {}
};

namespace whole_number_detail {

inline int digitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

}  // namespace whole_number_detail

// Reads a 32-bit whole number: leading spaces, an optional "+" (or "-"),
// decimal digits and nothing after; hexadecimal after "$", "x", "X", "0x" or
// "0X". Nothing for anything else.
inline std::optional<int> parseWholeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = whole_number_detail::digitValue(text[i], base);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal covers the 32-bit pattern, so $FFFFFFFF is -1.
        auto bits = static_cast<std::uint32_t>(magnitude);
        if (negative) bits = ~bits + 1u;
        return static_cast<std::int32_t>(bits);
    }
    if (magnitude > (negative ? 2147483648ull : 2147483647ull)) return std::nullopt;
    return negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
}

// For number fields and range bounds: fails with "'<text>' is not a valid integer value".
inline int readWholeNumber(const std::string& text) {
    const std::optional<int> value = parseWholeNumber(text);
    if (!value) throw ConvertError("'" + text + "' is not a valid integer value");
    return *value;
}

// For range entries and watermark positions: fails with
// "'<text>' is not a valid integer value for Integer type".
inline int readIntegerEntry(const std::string& text) {
    const std::optional<int> value = parseWholeNumber(text);
    if (!value) throw ConvertError("'" + text + "' is not a valid integer value for Integer type");
    return *value;
}
