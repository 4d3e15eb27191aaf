#include "ui/file_filter.h"

#include <vector>

namespace {

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string qtPatterns(const std::string& patterns) {
    std::string result;
    for (const auto& pattern : splitAt(patterns, ';')) {
        if (pattern.empty()) continue;
        if (!result.empty()) result += ' ';
        result += pattern;
    }
    return result;
}

}  // namespace

std::string qtFileFilter(const std::string& filter) {
    if (filter.empty()) return {};
    const auto parts = splitAt(filter, '|');
    std::string result;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        // A description without patterns stands for its own pattern list.
        const std::string& description = parts[i];
        const std::string patterns = qtPatterns(i + 1 < parts.size() ? parts[i + 1] : description);
        if (!result.empty()) result += ";;";
        result += description + " (" + patterns + ")";
    }
    return result;
}

std::string withDefaultExtension(const std::string& name, const std::string& extension) {
    if (name.empty() || extension.empty()) return name;
    const auto nameStart = name.find_last_of("/\\");
    const std::string fileName = name.substr(nameStart == std::string::npos ? 0 : nameStart + 1);
    const auto dot = fileName.rfind('.');
    // A leading dot (".hidden") is part of the name, and a trailing one carries no extension.
    if (dot != std::string::npos && dot != 0 && dot + 1 < fileName.size()) return name;
    if (!fileName.empty() && fileName.back() == '.') return name + extension;
    return name + "." + extension;
}
