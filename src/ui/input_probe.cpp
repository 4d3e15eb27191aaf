#include "ui/input_probe.h"

#include <exception>
#include <utility>

#include "engine/password_search.h"
#include "engine/pdf_error.h"
#include "base/application.h"
#include "jobs/input_file.h"
#include "ui/message_text.h"

InputProbe::InputProbe(Dialogs& dialogs, Translate translate, Open open)
    : dialogs_(dialogs), translate_(std::move(translate)), open_(std::move(open)) {
    if (!open_) open_ = [](const std::string& path, const NextPassword& nextPassword) {
        return openWithPasswords(path, nextPassword);
    };
}

std::optional<ProbedInput> InputProbe::probe(const std::string& path) {
    // A FIFO or a device would block the open; a folder is no document.
    if (pathKind(path) == PathKind::NotRegularFile) {
        dialogs_.showMessage("\"" + path + "\" is not a regular file", MessageKind::Error);
        return std::nullopt;
    }
    bool gaveUp = false;
    std::string prompt;
    // Asks until the password fits or the user gives up; after a wrong one
    // the prompt says so.
    const NextPassword askAgain = [&]() -> std::optional<std::string> {
        const std::string asking = textOf(messageText::passwordOf, translate_, {inputFileFor(path).fileName});
        if (prompt.empty()) prompt = asking;
        std::string typed;
        if (dialogs_.askText(translate(messageKey::enterPassword), prompt, true, typed) && !typed.empty()) {
            prompt = std::string(PasswordErrorText) + ".\n" + asking;
            return typed;
        }
        gaveUp = true;
        return std::nullopt;
    };
    try {
        UnlockedDocument opened = open_(path, askAgain);
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

void InputProbe::showOpenError(const std::string& message, const std::string& path) {
    dialogs_.showMessage(message + ": " + path + "; " + ResaveHint, MessageKind::Error);
}
