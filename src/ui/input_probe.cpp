#include "ui/input_probe.h"

#include <cctype>
#include <exception>
#include <utility>

#include "engine/password_search.h"
#include "engine/pdf_error.h"
#include "jobs/application.h"
#include "jobs/input_file.h"

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Every occurrence of what, found without regard to letter case, replaced by by.
std::string replaceIgnoringCase(const std::string& text, const std::string& what, const std::string& by) {
    const std::string lowerText = lowerCase(text), lowerWhat = lowerCase(what);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = lowerText.find(lowerWhat); at != std::string::npos; at = lowerText.find(lowerWhat, from)) {
        result.append(text, from, at - from).append(by);
        from = at + what.size();
    }
    return result.append(text, from, std::string::npos);
}

}  // namespace

InputProbe::InputProbe(Dialogs& dialogs, Translate translate) : dialogs_(dialogs), translate_(std::move(translate)) {}

std::optional<ProbedInput> InputProbe::probe(const std::string& path) {
    // A FIFO or a device would block the open; a folder is no document.
    if (pathKind(path) == PathKind::NotRegularFile) {
        dialogs_.showMessage("\"" + path + "\" is not a regular file");
        return std::nullopt;
    }
    bool prompted = false, gaveUp = false;
    // One prompt only: a wrong password ends the probe with its message.
    const NextPassword askOnce = [&]() -> std::optional<std::string> {
        if (prompted) return std::nullopt;
        prompted = true;
        dialogs_.showMessage(PasswordErrorText);
        std::string typed;
        if (dialogs_.askText(translate("MsgEnterPassw"), translate("GridPassword"), true, typed) && !typed.empty())
            return typed;
        gaveUp = true;
        return std::nullopt;
    };
    try {
        UnlockedDocument opened = openWithPasswords(path, askOnce);
        const int pageCount = opened.document.pageCount();
        return ProbedInput{pageCount, opened.password, std::make_shared<PdfDocument>(std::move(opened.document))};
    } catch (const std::exception& error) {
        if (!gaveUp) showOpenError(error.what(), path);
    } catch (...) {
        showOpenError("Unknown error", path);
    }
    return std::nullopt;
}

std::string InputProbe::translate(const std::string& key) const {
    return translate_ ? translate_(key) : std::string();
}

std::string InputProbe::openErrorText(const std::string& message, const std::string& path) {
    return replaceIgnoringCase(message, "PDFSharp", ApplicationName) + ": " + path + "; " + ResaveHint;
}

void InputProbe::showOpenError(const std::string& message, const std::string& path) {
    dialogs_.showMessage(openErrorText(message, path));
}
