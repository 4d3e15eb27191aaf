#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/password_search.h"
#include "engine/pdf_document.h"
#include "ui/dialogs.h"

// What a probe learns of a file that opens.
struct ProbedInput {
    int pageCount = 0;
    std::string password;  // the one the user typed, "" when none was needed
    std::shared_ptr<PdfDocument> document;  // open, for a job that runs at once
};

// Opens a file that is about to enter a job list, to learn its page count and,
// for a protected document, the password that opens it. Talks to the user
// itself: every failure is shown in a message box, and a protected document
// brings up a password prompt naming the file, again after a wrong password,
// until the password fits or the user cancels.
class InputProbe {
public:
    using Translate = std::function<std::string(const std::string& key)>;
    // How a file is opened, asking for passwords while it refuses them
    // (openWithPasswords, or the same on another thread).
    using Open = std::function<UnlockedDocument(const std::string& path, const NextPassword& nextPassword)>;

    InputProbe(Dialogs& dialogs, Translate translate, Open open = nullptr);

    // Nothing when the file did not open; the user has been told why.
    std::optional<ProbedInput> probe(const std::string& path);

    // Shows why the file at path could not be opened, naming it, with the
    // hint to save it anew.
    void showOpenError(const std::string& message, const std::string& path);

    static constexpr const char* ResaveHint = "Please save the file with a different encoding and then retry.";

private:
    std::string translate(const std::string& key) const;

    Dialogs& dialogs_;
    Translate translate_;
    Open open_;
};
