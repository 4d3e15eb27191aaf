#include "settings/stored_text.h"

namespace {

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool endsWith(const std::string& text, char last) { return !text.empty() && text.back() == last; }

// The code points of UTF-8 text cut to their lowest byte, as a byte array
// made from text keeps them.
std::string latin1Bytes(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (length == 1) {
            bytes += text[i];
        } else {
            unsigned codePoint = lead & (0x7F >> length);
            for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            bytes += static_cast<char>(codePoint <= 0xFF ? codePoint : '?');
        }
        i += length;
    }
    return bytes;
}

// An item marked as another type than text ("@" and no second "@") makes the
// whole list a list of values of other types.
bool isOtherType(const std::string& item) { return startsWith(item, "@") && !startsWith(item, "@@"); }

}  // namespace

std::string storedTextOfValue(const std::string& value) {
    if (!startsWith(value, "@")) return value;
    if (endsWith(value, ')')) {
        if (startsWith(value, "@ByteArray(")) return latin1Bytes(value.substr(11, value.size() - 12));
        if (startsWith(value, "@String(")) return value.substr(8, value.size() - 9);
        for (const char* other : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("})
            if (startsWith(value, other)) return "";
        if (value == "@Invalid()") return "";
    }
    if (startsWith(value, "@@")) return value.substr(1);
    return value;
}

std::string storedTextOfList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        if (isOtherType(item)) return "";
        if (&item != &items.front()) text += ',';
        text += startsWith(item, "@@") ? item.substr(1) : item;
    }
    return text;
}
