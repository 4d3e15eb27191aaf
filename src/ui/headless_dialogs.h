#pragma once
#include <ostream>

#include "ui/dialogs.h"

// Dialogs for a run without any display: nobody could see a window, so every
// message is written as one line to an error stream (standard error unless
// told otherwise) and every prompt and choice answers Cancel at once.
class HeadlessDialogs : public Dialogs {
public:
    HeadlessDialogs();
    explicit HeadlessDialogs(std::ostream& errors);

    void showMessage(const std::string& text) override;
    bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) override;
    std::vector<std::string> chooseOpenFiles(const std::string& filter, bool several) override;
    std::string chooseSaveFile(const std::string& filter, const std::string& defaultExtension,
                               const std::string& proposedName) override;
    std::string chooseFolder(const std::string& startFolder) override;
    std::string choosePicture(const std::string& filter) override;

private:
    std::ostream& errors_;
};
