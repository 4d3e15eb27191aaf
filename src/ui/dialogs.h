#pragma once
#include <string>
#include <vector>

// The user's side of every dialog: message boxes, the password prompt and the
// file and folder choices. The window shows real dialogs, the command line
// without a display answers on the console, and the tests script the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal box with one OK button, captioned with the application title.
    virtual void showMessage(const std::string& text) = 0;

    // A modal text prompt with OK and Cancel; false on Cancel. The entry is
    // masked when `masked` is set.
    virtual bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) = 0;

    // File and folder choices; an empty result or vector means Cancel.
    virtual std::vector<std::string> chooseOpenFiles(const std::string& filter, bool several) = 0;
    virtual std::string chooseSaveFile(const std::string& filter, const std::string& defaultExtension,
                                       const std::string& proposedName) = 0;
    virtual std::string chooseFolder(const std::string& startFolder) = 0;
    virtual std::string choosePicture(const std::string& filter) = 0;
};
