#include "app/console_dialogs.h"

bool ConsoleDialogs::askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) {
    if (!masked || !ask_) return HeadlessDialogs::askText(caption, prompt, masked, text);
    const std::optional<std::string> typed = ask_(file_);
    if (!typed) return false;
    text = *typed;
    return true;
}
