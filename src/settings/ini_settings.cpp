#include "settings/ini_settings.h"

#include <cctype>
#include <vector>

#include "settings/stored_text.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

unsigned hexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

void appendUtf8(unsigned codePoint, std::string& text) {
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) codePoint = 0xFFFD;  // half of a pair: not a character
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    if (text.size() != lowerCase.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))) != lowerCase[i]) return false;
    return true;
}

// One logical line of the file: its text from the first non-blank character
// up to the line end or an unquoted ";" (a "\" line end and quoted line ends
// belong to it), and where its first unquoted "=" is. Comment lines are
// passed over. False at the end of the file.
struct IniLine {
    std::string_view text;
    std::size_t equals = std::string_view::npos;
};

bool readLine(std::string_view file, std::size_t& position, IniLine& line) {
    std::size_t start = position;
    while (start < file.size() && isSpace(file[start])) ++start;
    bool inQuotes = false;
    line.equals = std::string_view::npos;
    std::size_t i = start;
    while (i < file.size()) {
        const char c = file[i++];
        if (c == '=') {
            if (!inQuotes && line.equals == std::string_view::npos) line.equals = i - 1 - start;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < file.size()) {
                const char escaped = file[i++];
                if (i < file.size() && ((escaped == '\n' && file[i] == '\r') || (escaped == '\r' && file[i] == '\n'))) ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {  // a comment line
                while (i < file.size() && file[i] != '\n' && file[i] != '\r') ++i;
                while (i < file.size() && isSpace(file[i])) ++i;
                start = i;
                line.equals = std::string_view::npos;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    position = i;
    line.text = file.substr(start, i - start);
    return !line.text.empty();
}

// A key without its escapes: "\" stands for "/", "%XX" and "%UXXXX" for
// the character of that code.
std::string unescapedKey(std::string_view key) {
    std::string result;
    for (std::size_t i = 0; i < key.size();) {
        const char c = key[i];
        if (c == '\\') {
            result += '/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 == key.size()) {
            result += c;
            ++i;
            continue;
        }
        std::size_t first = i + 1, digits = 2;
        if (key[first] == 'U') {
            ++first;
            digits = 4;
        }
        bool valid = first + digits <= key.size();
        unsigned code = 0;
        for (std::size_t k = first; valid && k < first + digits; ++k) {
            valid = isHexDigit(key[k]);
            if (valid) code = code * 16 + hexValue(key[k]);
        }
        if (!valid) {
            result += '%';
            ++i;
            continue;
        }
        appendUtf8(code, result);
        i = first + digits;
    }
    return result;
}

void chopTrailingBlanks(std::string& text, std::size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

// A value without its quotes and escapes: one text, or the items of a list
// when it holds unquoted commas.
struct IniValue {
    std::string text;
    std::vector<std::string> items;
    bool isList = false;
};

char escapedCharacter(char code) {
    switch (code) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\': return code;
    default: return 0;
    }
}

IniValue unescapedValue(std::string_view value) {
    IniValue result;
    std::string& text = result.text;
    bool inQuotes = false, quoted = false;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
    };
    skipBlanks();
    std::size_t chopLimit = 0;
    while (i < value.size()) {
        const char c = value[i];
        if (c == '\\') {
            if (++i >= value.size()) break;
            const char code = value[i++];
            if (const char character = escapedCharacter(code)) {
                text += character;
                chopLimit = text.size();
                continue;
            }
            const bool hex = code == 'x' && i < value.size() && isHexDigit(value[i]);
            const bool octal = code >= '0' && code <= '7';
            if (hex || octal) {
                unsigned number = octal ? static_cast<unsigned>(code - '0') : 0;
                while (i < value.size() && (hex ? isHexDigit(value[i]) : value[i] >= '0' && value[i] <= '7'))
                    number = (hex ? number * 16 + hexValue(value[i++]) : number * 8 + static_cast<unsigned>(value[i++] - '0')) & 0xFFFF;
                appendUtf8(number, text);
            } else if ((code == '\n' || code == '\r') && i < value.size() &&
                       (value[i] == '\n' || value[i] == '\r') && value[i] != code) {
                ++i;  // a continued line ending in CR LF or LF CR
            }
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = text.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chopTrailingBlanks(text, chopLimit);
            result.isList = true;
            result.items.push_back(std::move(text));
            text.clear();
            quoted = false;
            chopLimit = 0;
            ++i;
            skipBlanks();
        } else {
            const std::size_t end = value.find_first_of(inQuotes ? "\\\"" : "\\\",", i + 1);
            text += value.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
            i = end == std::string_view::npos ? value.size() : end;
        }
    }
    if (!quoted) chopTrailingBlanks(text, chopLimit);
    if (result.isList) result.items.push_back(std::move(text));
    return result;
}

}  // namespace

std::map<std::string, std::string> readIniTopLevelValues(std::string_view file) {
    if (file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
    std::map<std::string, std::string> values;
    bool topLevel = true;
    std::size_t position = 0;
    IniLine line;
    while (readLine(file, position, line)) {
        if (line.text.front() == '[') {
            const std::size_t end = line.text.find(']');
            const std::string_view section = trimmed(line.text.substr(1, end == std::string_view::npos ? end : end - 1));
            topLevel = equalsIgnoringCase(section, "general");
            continue;
        }
        if (!topLevel || line.equals == std::string_view::npos) continue;
        const std::string key = unescapedKey(trimmed(line.text.substr(0, line.equals)));
        if (key.empty() || key.find('/') != std::string::npos) continue;
        const IniValue value = unescapedValue(line.text.substr(line.equals + 1));
        values[key] = value.isList ? storedTextOfList(value.items) : storedTextOfValue(value.text);
    }
    return values;
}
