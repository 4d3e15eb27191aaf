#include "jobs/whole_number.h"

#include <cstdint>

namespace {

int digitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

bool tryReadWholeNumber(const std::string& text, int& value) {
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
    if (i == text.size()) return false;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (base == 16) {
        // Hexadecimal covers the 32-bit pattern, so $FFFFFFFF is -1.
        auto bits = static_cast<std::uint32_t>(magnitude);
        if (negative) bits = ~bits + 1u;
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    if (magnitude > (negative ? 2147483648ull : 2147483647ull)) return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

int readWholeNumber(const std::string& text) {
    int value = 0;
    if (!tryReadWholeNumber(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

int readIntegerEntry(const std::string& text) {
    int value = 0;
    if (!tryReadWholeNumber(text, value))
        throw EConvertError("'" + text + "' is not a valid integer value for Integer type");
    return value;
}
