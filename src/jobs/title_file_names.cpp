#include "jobs/title_file_names.h"

#include <cctype>
#include <set>

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

// The bytes of an invisible formatting character at text[i], or 0: zero-width
// characters and the bidirectional controls that could make a name display as
// another one ("fdp.exe" shown as "exe.pdf").
std::size_t invisibleCharacterAt(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0; };
    const unsigned char a = byte(i), b = byte(i + 1), c = byte(i + 2);
    if (a == 0xD8 && b == 0x9C) return 2;                         // U+061C arabic letter mark
    if (a == 0xE2 && b == 0x80 && (c >= 0x8B && c <= 0x8F)) return 3;  // U+200B-U+200F
    if (a == 0xE2 && b == 0x80 && (c >= 0xAA && c <= 0xAE)) return 3;  // U+202A-U+202E
    if (a == 0xE2 && b == 0x81 && (c >= 0xA0 && c <= 0xA9)) return 3;  // U+2060-U+2069
    if (a == 0xEF && b == 0xBB && c == 0xBF) return 3;                 // U+FEFF
    return 0;
}

}  // namespace

std::string fileStemOfTitle(const std::string& title) {
    std::string stem;
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (const std::size_t invisible = invisibleCharacterAt(title, i)) {
            i += invisible - 1;
            continue;
        }
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
        for (int copy = 2; taken.count(folded(name)); ++copy) {
            const std::string suffix = " (" + std::to_string(copy) + ")";
            name = folder + cutAt(stem, MostTitleNameBytes - suffix.size()) + suffix + Extension;
        }
        taken.insert(folded(name));
        names.push_back(name);
    }
    return names;
}
