#pragma once
#include <functional>
#include <string>

#include "engine/dialogs.h"
#include "engine/tpdf.h"

// Opens a file that is about to enter a job list, to learn its page count and,
// for a protected document, the password that opens it. Talks to the user
// itself: every failure is shown in a message box, and a protected document
// brings up one password prompt. The caller learns only the outcome through
// the two in/out arguments.
class InputProbe {
public:
    using Translate = std::function<std::string(const std::string& key)>;

    static constexpr const char* ApplicationTitle = "Splimera";

    InputProbe(TPdf& pdf, Dialogs& dialogs, Translate translate, std::string applicationTitle = ApplicationTitle);

    // pageCount receives the document's page count when it opened; password
    // receives the text the user typed when a prompt was needed and that text
    // opened the document. Otherwise both keep what the caller put in them.
    // The document object ends inactive with an empty password in every case.
    void getPageCount(const std::string& path, std::string& password, int& pageCount);
    void getPageCountPdfium(const std::string& path, std::string& password, int& pageCount);

    // Shows why a file could not be opened, with the hint to save it anew.
    void showOpenError(const std::string& message);

    // The message as shown: every "PDFSharp" (any letter case) replaced by the
    // application title, then the re-save hint.
    std::string openErrorText(const std::string& message) const;

    static constexpr const char* PasswordError = PasswordErrorText;
    static constexpr const char* ResaveHint = "Please save the file with a different encoding and then retry.";

private:
    std::string translate(const std::string& key) const;
    void leaveReady();

    TPdf& pdf_;
    Dialogs& dialogs_;
    Translate translate_;
    std::string applicationTitle_;
};
