#pragma once
#include <optional>
#include <string>

// What libqpdf makes of a file PDFium refuses, repairs or finds no page in:
// the document as libqpdf reads it (repairing it if need be, decrypted with
// password), written anew as a PDF file in memory. Nothing when libqpdf
// cannot read it either, finds no page, or finds a page whose /Parent chain
// loops. Never raises, never writes to the console.
std::optional<std::string> readableRewrite(const std::string& fileName, const std::string& password);
