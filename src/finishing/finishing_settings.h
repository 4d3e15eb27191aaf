#pragma once
#include <string>

// The maker's web address, shown after the window caption in every output's creator entry.
extern const char* const SplimeraWebAddress;

// "<caption> (<web address>)".
std::string creatorTextFor(const std::string& windowCaption);

// What finishing applies to every output; plain copies of the window's protection settings.
struct FinishingSettings {
    std::string creatorText = creatorTextFor("Splimera");
    std::string outputPdfPassword;  // empty: no password
    std::string watermarkPath;      // empty: no watermark
    std::string watermarkX;         // points right of the page's top-left corner, as typed
    std::string watermarkY;         // points down from the page's top-left corner, as typed
};
