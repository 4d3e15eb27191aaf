#pragma once
#include <string>

// What finishing applies to every output besides the creator and the dates:
// the output password, and the watermark picture with its distance from the
// page's top-left corner.
struct Protection {
    std::string outputPassword;  // empty: no password
    std::string watermarkPath;   // empty: no watermark
    std::string watermarkX;      // points right of the page's top-left corner, as typed
    std::string watermarkY;      // points down from the page's top-left corner, as typed
};
