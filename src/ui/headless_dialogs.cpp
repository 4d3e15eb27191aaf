#include "ui/headless_dialogs.h"

#include <iostream>

namespace {

// A message of several lines becomes one, its line breaks turned into blanks.
std::string oneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace

HeadlessDialogs::HeadlessDialogs() : errors_(std::cerr) {}

HeadlessDialogs::HeadlessDialogs(std::ostream& errors) : errors_(errors) {}

void HeadlessDialogs::showMessage(const std::string& text, MessageKind) {
    errors_ << oneLine(text) << std::endl;
}

bool HeadlessDialogs::ask(const std::string& question) {
    showMessage(question, MessageKind::Warning);
    return false;
}

bool HeadlessDialogs::offerAction(const std::string& text, const std::string&) {
    showMessage(text, MessageKind::Information);
    return false;
}

// The prompt tells what was wanted (which file needs a password), and nobody can answer it.
bool HeadlessDialogs::askText(const std::string&, const std::string& prompt, bool, std::string&) {
    showMessage(prompt, MessageKind::Warning);
    return false;
}

std::vector<std::string> HeadlessDialogs::chooseOpenFiles(const std::string&, bool) { return {}; }

std::string HeadlessDialogs::chooseSaveFile(const std::string&, const std::string&, const std::string&) { return {}; }

std::string HeadlessDialogs::chooseFolder(const std::string&) { return {}; }

std::string HeadlessDialogs::choosePicture(const std::string&) { return {}; }
