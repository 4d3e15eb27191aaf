#pragma once
#include <string>
#include <vector>

// What a message box tells, shown by its icon.
enum class MessageKind { Information, Warning, Error };

// The user's side of every dialog: message boxes, questions, the password
// prompt and the file and folder choices. The window shows real dialogs, the
// command line without a display answers on the console, and the tests script
// the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal box with one OK button and the icon of its kind, captioned with
    // the application title.
    virtual void showMessage(const std::string& text, MessageKind kind) = 0;
    // A message the user should heed before going on.
    void showMessage(const std::string& text) { showMessage(text, MessageKind::Warning); }

    // A question with Yes and Cancel; true for Yes.
    virtual bool ask(const std::string& question) = 0;

    // An information box with OK and a button that does something more
    // (opening the folder of what was written, say); true when that button
    // was chosen.
    virtual bool offerAction(const std::string& text, const std::string& actionCaption) = 0;

    // A modal text prompt with OK and Cancel; false on Cancel. The entry is
    // masked when `masked` is set.
    virtual bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) = 0;

    // File and folder choices; an empty result or vector means Cancel. The
    // save choice asks before a chosen file that exists is replaced.
    virtual std::vector<std::string> chooseOpenFiles(const std::string& filter, bool several) = 0;
    virtual std::string chooseSaveFile(const std::string& filter, const std::string& defaultExtension,
                                       const std::string& proposedName) = 0;
    virtual std::string chooseFolder(const std::string& startFolder) = 0;
    virtual std::string choosePicture(const std::string& filter) = 0;
};
