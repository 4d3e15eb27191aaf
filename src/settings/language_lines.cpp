#include "settings/language_lines.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utf8proc.h>

namespace {

void appendCodePoint(utf8proc_int32_t codePoint, std::string& text) {
    utf8proc_uint8_t bytes[4];
    const utf8proc_ssize_t size = utf8proc_encode_char(codePoint, bytes);
    text.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

// UTF-8 as given, each invalid byte a replacement character.
std::string validUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const utf8proc_uint8_t*>(bytes.data());
    for (std::size_t at = 0; at < bytes.size();) {
        utf8proc_int32_t codePoint = 0;
        const utf8proc_ssize_t size =
            utf8proc_iterate(data + at, static_cast<utf8proc_ssize_t>(bytes.size() - at), &codePoint);
        if (size <= 0) {
            appendCodePoint(0xFFFD, text);
            ++at;
        } else {
            text.append(bytes.substr(at, static_cast<std::size_t>(size)));
            at += static_cast<std::size_t>(size);
        }
    }
    return text;
}

std::string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::string text;
    const auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<unsigned>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        unsigned unit = unitAt(at);
        if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < bytes.size()) {
            const unsigned low = unitAt(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        appendCodePoint(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : static_cast<utf8proc_int32_t>(unit), text);
    }
    if (bytes.size() % 2 != 0) appendCodePoint(0xFFFD, text);
    return text;
}

std::string decoded(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return validUtf8(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE") return fromUtf16(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF") return fromUtf16(bytes.substr(2), true);
    return validUtf8(bytes);
}

void addLine(std::string_view line, std::vector<LanguageLine>& lines) {
    if (line.empty() || line.front() == '[') return;
    const std::size_t separator = line.find('=');
    if (separator == std::string_view::npos) return;
    const std::string_view key = trimmedOfBlanksAndControls(line.substr(0, separator));
    if (key.empty()) return;
    lines.push_back({std::string(key), std::string(trimmedOfBlanksAndControls(line.substr(separator + 1)))});
}

std::string caseFolded(std::string_view key) {
    utf8proc_uint8_t* folded = nullptr;
    const utf8proc_ssize_t size = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(key.data()),
                                               static_cast<utf8proc_ssize_t>(key.size()), &folded, UTF8PROC_CASEFOLD);
    if (size < 0) return std::string(key);
    std::string text(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(size));
    std::free(folded);
    return text;
}

}  // namespace

std::string_view trimmedOfBlanksAndControls(std::string_view text) {
    const auto isBlankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<LanguageLine> readLanguageLines(std::string_view bytes) {
    const std::string text = decoded(bytes);
    std::vector<LanguageLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        addLine(std::string_view(text).substr(start, i - start), lines);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    addLine(std::string_view(text).substr(start), lines);
    return lines;
}

void LanguageTable::add(const std::vector<LanguageLine>& lines) {
    for (const LanguageLine& line : lines) {
        if (line.value.empty())
            texts_.erase(caseFolded(line.key));
        else
            texts_[caseFolded(line.key)] = line.value;
    }
}

std::string LanguageTable::text(std::string_view key) const {
    const auto found = texts_.find(caseFolded(key));
    return found == texts_.end() ? std::string() : found->second;
}

bool readLanguageFileBytes(const std::string& path, std::string& bytes, std::string& problem) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) || std::filesystem::is_directory(path, error)) {
        problem = "no such file";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad()) {
        problem = std::strerror(errno);
        return false;
    }
    return true;
}
