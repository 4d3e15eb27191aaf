#include "jobs/title_file_names.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>

#include <utf8proc.h>

namespace {

constexpr const char* Extension = ".pdf";

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// The text cut to at most bytes, never inside a UTF-8 character.
std::string cutAt(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    while (bytes > 0 && isContinuationByte(static_cast<unsigned char>(text[bytes]))) --bytes;
    return text.substr(0, bytes);
}

std::string folded(const std::string& name) {
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Names Windows keeps for its devices, also with an extension after them.
bool isDeviceName(const std::string& stem) {
    const std::string name = folded(stem.substr(0, stem.find('.')));
    if (name == "con" || name == "prn" || name == "aux" || name == "nul") return true;
    return name.size() == 4 && (name.compare(0, 3, "com") == 0 || name.compare(0, 3, "lpt") == 0) &&
           name[3] >= '1' && name[3] <= '9';
}

// Characters that change how a name shows without showing themselves: the
// bidirectional controls (a right-to-left override makes "gpj.exe" show as
// "exe.jpg") and the zero-width characters.
bool isInvisible(utf8proc_int32_t c) {
    return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) ||
           c == 0xFEFF;
}

// The text without invisible characters and in Unicode's composed normal
// form (NFC), so that titles that show alike give one name; text that is not
// UTF-8 stays as it is.
std::string visibleComposed(const std::string& text) {
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
    std::string visible;
    for (utf8proc_ssize_t at = 0, size = static_cast<utf8proc_ssize_t>(text.size()); at < size;) {
        utf8proc_int32_t c = 0;
        const utf8proc_ssize_t length = utf8proc_iterate(bytes + at, size - at, &c);
        if (length <= 0) return text;
        if (!isInvisible(c)) visible.append(text, static_cast<std::size_t>(at), static_cast<std::size_t>(length));
        at += length;
    }
    utf8proc_uint8_t* composed = nullptr;
    const utf8proc_ssize_t length = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(visible.data()),
                                                 static_cast<utf8proc_ssize_t>(visible.size()), &composed,
                                                 static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (length < 0) return visible;
    std::string result(reinterpret_cast<const char*>(composed), static_cast<std::size_t>(length));
    std::free(composed);
    return result;
}

bool isSameFile(const std::string& name, const std::string& other) {
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::u8path(name), std::filesystem::u8path(other), error);
}

}  // namespace

std::string fileStemOfTitle(const std::string& rawTitle) {
    const std::string title = visibleComposed(rawTitle);
    std::string stem;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        // U+0080 to U+009F, the second set of control characters, are C2 80 to C2 9F.
        const bool secondControls = c == 0xC2 && i + 1 < title.size() &&
                                    static_cast<unsigned char>(title[i + 1]) >= 0x80 &&
                                    static_cast<unsigned char>(title[i + 1]) <= 0x9F;
        if (secondControls) {
            stem += '_';
            ++i;
        } else if (c < 0x20 || c == 0x7F || std::string("/\\<>:\"|?*").find(static_cast<char>(c)) != std::string::npos) {
            stem += '_';
        } else {
            stem += static_cast<char>(c);
        }
    }
    const auto trimmable = [](char c) { return c == ' ' || c == '.'; };
    std::size_t first = 0, end = stem.size();
    while (first < end && trimmable(stem[first])) ++first;
    while (end > first && trimmable(stem[end - 1])) --end;
    stem = cutAt(stem.substr(first, end - first), MostTitleNameBytes);
    // The cut may leave a blank or dot at the end again.
    while (!stem.empty() && trimmable(stem.back())) stem.pop_back();
    if (isDeviceName(stem)) stem.insert(0, "_");
    return stem;
}

std::vector<std::string> uniqueOutputNames(const std::string& folder, const std::vector<std::string>& stems,
                                           const std::string& inputPath) {
    std::set<std::string> taken{folded(inputPath)};
    std::vector<std::string> names;
    for (const std::string& stem : stems) {
        std::string name = folder + stem + Extension;
        // The input may be spelled otherwise than the folder and the name.
        for (int copy = 2; taken.count(folded(name)) || isSameFile(name, inputPath); ++copy) {
            const std::string suffix = " (" + std::to_string(copy) + ")";
            name = folder + cutAt(stem, MostTitleNameBytes - suffix.size()) + suffix + Extension;
        }
        taken.insert(folded(name));
        names.push_back(name);
    }
    return names;
}
