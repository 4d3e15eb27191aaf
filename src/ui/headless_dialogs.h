#pragma once
#include <ostream>

#include "ui/dialogs.h"

// Dialogs for a run without any display: nobody could see a window, so every
// message is written as one line to an error stream (standard error unless
// told otherwise), as is every question and prompt, and each of them and
// every choice answers Cancel at once.
class HeadlessDialogs : public Dialogs {
public:
    HeadlessDialogs();
    explicit HeadlessDialogs(std::ostream& errors);

    using Dialogs::showMessage;
    void showMessage(const std::string& text, MessageKind kind) override;
    bool ask(const std::string& question) override;
    bool offerAction(const std::string& text, const std::string& actionCaption) override;
    bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) override;
    std::vector<std::string> chooseOpenFiles(const std::string& filter, bool several) override;
    std::string chooseSaveFile(const std::string& filter, const std::string& defaultExtension,
                               const std::string& proposedName) override;
    std::string chooseFolder(const std::string& startFolder) override;
    std::string choosePicture(const std::string& filter) override;

private:
    std::ostream& errors_;
};
