#include "engine/password_search.h"

#include "engine/pdf_error.h"

UnlockedDocument openWithPasswords(const std::string& path, const NextPassword& nextPassword) {
    std::string password;
    for (;;) {
        try {
            return {PdfDocument::open(path, password), password};
        } catch (const PdfError& error) {
            if (std::string(error.what()) != PasswordErrorText) throw;
            std::optional<std::string> next = nextPassword();
            if (!next) throw;
            password = std::move(*next);
        }
    }
}

UnlockedDocument openWithPasswords(const std::string& path, const std::vector<std::string>& passwords) {
    auto next = passwords.begin();
    return openWithPasswords(path, [&]() -> std::optional<std::string> {
        if (next == passwords.end()) return std::nullopt;
        return *next++;
    });
}
