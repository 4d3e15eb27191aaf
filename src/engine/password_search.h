#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/pdf_document.h"

// A document with the password that opened it ("" when it needs none).
struct UnlockedDocument {
    PdfDocument document;
    std::string password;
};

// The next password to try on a document that refused the ones before, or
// nothing to give up.
using NextPassword = std::function<std::optional<std::string>()>;

// Opens path with no password first; while the document refuses for a
// missing or wrong password, asks nextPassword for another and tries it.
// Raises the engine's error of the last try when the document does not open
// for another reason or nextPassword gives up.
UnlockedDocument openWithPasswords(const std::string& path, const NextPassword& nextPassword);

// The same with a list of passwords, tried in their order.
UnlockedDocument openWithPasswords(const std::string& path, const std::vector<std::string>& passwords);
