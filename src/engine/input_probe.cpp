#include "engine/input_probe.h"

#include <cctype>
#include <exception>
#include <optional>
#include <utility>

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

// The message of the error step raises, or nothing when it completes.
template <typename Step>
std::optional<std::string> failureOf(Step step) {
    try {
        step();
        return std::nullopt;
    } catch (const std::exception& error) {
        return std::string(error.what());
    } catch (...) {
        return std::string("Unknown error");
    }
}

}  // namespace

InputProbe::InputProbe(TPdf& pdf, Dialogs& dialogs, Translate translate, std::string applicationTitle)
    : pdf_(pdf), dialogs_(dialogs), translate_(std::move(translate)), applicationTitle_(std::move(applicationTitle)) {}

void InputProbe::getPageCount(const std::string& path, std::string& password, int& pageCount) {
    getPageCountPdfium(path, password, pageCount);
}

void InputProbe::getPageCountPdfium(const std::string& path, std::string& password, int& pageCount) {
    const auto firstFailure = failureOf([&] {
        pdf_.setFileName(path);
        pdf_.setActive(true);
        pageCount = pdf_.PageCount();
    });
    const bool askPassword = firstFailure == PasswordError;
    if (askPassword) {
        dialogs_.showMessage(*firstFailure);
    } else if (firstFailure) {
        showOpenError(*firstFailure);
    }

    std::string typed;
    if (askPassword && dialogs_.askText(translate("MsgEnterPassw"), translate("GridPassword"), true, typed) &&
        !typed.empty()) {
        // One prompt only: a wrong password ends here with its message.
        const auto secondFailure = failureOf([&] {
            pdf_.setFileName(path);
            pdf_.setPassword(typed);
            pdf_.setActive(true);
            pageCount = pdf_.PageCount();
            password = typed;
        });
        if (secondFailure) showOpenError(*secondFailure);
    }
    leaveReady();
}

std::string InputProbe::translate(const std::string& key) const {
    return translate_ ? translate_(key) : std::string();
}

void InputProbe::leaveReady() {
    try {
        pdf_.setActive(false);
        pdf_.setPassword("");
    } catch (...) {
        // Closing does not fail in practice; a probe must not raise for it.
    }
}

std::string InputProbe::openErrorText(const std::string& message) const {
    return replaceIgnoringCase(message, "PDFSharp", applicationTitle_) + "; " + ResaveHint;
}

void InputProbe::showOpenError(const std::string& message) {
    dialogs_.showMessage(openErrorText(message));
}
