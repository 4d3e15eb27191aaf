#include "app/job_result.h"

#include <cstdio>

void JobResult::knowFiles(const std::vector<std::string>& names) {
    knownFiles_.insert(knownFiles_.end(), names.begin(), names.end());
}

void JobResult::addFile(const WrittenOutput& output, std::uintmax_t bytes, bool passwordFromOptions,
                        bool watermarkFromOptions) {
    files_.push_back({output, bytes, passwordFromOptions, watermarkFromOptions});
    knownFiles_.push_back(output.path);
}

void JobResult::addNote(const std::string& text) { notes_.push_back(message(text)); }

void JobResult::setError(const std::string& text) { error_ = message(text); }

// The longest known name the text holds; else a name in double quotes, as
// "Cannot create file \"...\"" gives it.
JobResult::Message JobResult::message(const std::string& text) const {
    std::optional<std::string> file;
    for (const std::string& name : knownFiles_)
        if (!name.empty() && text.find(name) != std::string::npos && (!file || name.size() > file->size())) file = name;
    const std::size_t open = text.find('"');
    const std::size_t close = open == std::string::npos ? open : text.find('"', open + 1);
    if (!file && close != std::string::npos) file = text.substr(open + 1, close - open - 1);
    return {text, file};
}

namespace {

// The length of the UTF-8 sequence at `at`, or 0 when none begins there.
std::size_t utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    std::uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        point = point << 6 | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and points beyond Unicode are not UTF-8.
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) return 0;
    return length;
}

std::string escape(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "\\u%04x", value);
    return text;
}

std::string optionalString(const std::optional<std::string>& text) { return text ? jsonString(*text) : "null"; }

const char* source(bool protectedAtAll, bool fromOptions) {
    return !protectedAtAll ? "null" : fromOptions ? "\"options\"" : "\"stored settings\"";
}

}  // namespace

std::string jsonString(const std::string& bytes) {
    std::string json = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = utf8Length(bytes, i);
        if (length == 0) {
            json += escape(0xDC00 + c);
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') json += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20) json += escape(c);
        else json += bytes.substr(i, length);
        i += length;
    }
    return json + "\"";
}

std::string JobResult::json(int exitCode) const {
    const auto messageJson = [](const Message& m) {
        return "{\"message\": " + jsonString(m.text) + ", \"file\": " + optionalString(m.file) + "}";
    };
    std::string json = "{\n  \"command\": " + jsonString(command_) + ",\n  \"exitCode\": " + std::to_string(exitCode) +
                       ",\n  \"files\": [";
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const File& f = files_[i];
        json += std::string(i ? "," : "") + "\n    {\"path\": " + jsonString(f.output.path) +
                ", \"pages\": " + std::to_string(f.output.pageCount) + ", \"bytes\": " + std::to_string(f.bytes) +
                ", \"protected\": " + (f.output.passwordProtected ? "true" : "false") +
                ", \"protectedBy\": " + source(f.output.passwordProtected, f.passwordFromOptions) +
                ", \"stamped\": " + (f.output.watermarked ? "true" : "false") +
                ", \"stampedBy\": " + source(f.output.watermarked, f.watermarkFromOptions) + "}";
    }
    json += std::string(files_.empty() ? "" : "\n  ") + "],\n  \"notes\": [";
    for (std::size_t i = 0; i < notes_.size(); ++i) json += std::string(i ? "," : "") + "\n    " + messageJson(notes_[i]);
    json += std::string(notes_.empty() ? "" : "\n  ") + "],\n  \"error\": " + (error_ ? messageJson(*error_) : "null");
    return json + "\n}\n";
}
