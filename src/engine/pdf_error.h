#pragma once
#include <stdexcept>
#include <string>

// Failure of the PDF engine; carries only its message text.
class PdfError : public std::runtime_error {
public:
    explicit PdfError(const std::string& message) : std::runtime_error(message) {}
};

// PDFium's text for a missing or wrong password; callers compare a failed
// open's message with it to decide whether to try another password.
inline constexpr const char* PasswordErrorText = "Password required or incorrect password";
