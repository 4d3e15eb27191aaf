#pragma once
#include <string>

#include "app/job_passwords.h"
#include "ui/headless_dialogs.h"

// The dialogs of a silent switch run without a display: messages are lines on
// standard error, and a password prompt asks on the terminal, naming the
// file being probed, when there is a terminal to ask on (ask is set); every
// other choice answers Cancel.
class ConsoleDialogs : public HeadlessDialogs {
public:
    explicit ConsoleDialogs(AskPassword ask) : ask_(std::move(ask)) {}

    // The file the next password prompts are about.
    void setFile(const std::string& path) { file_ = path; }

    bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) override;

private:
    AskPassword ask_;
    std::string file_;
};
