#pragma once
#include <string>

// The four protection values the finishing step applies to every output:
// the output password, and the watermark picture with its distance from the
// page's top-left corner (decimal digits as typed; empty means not set).
struct ProtectionSettings {
    std::string outputPdfPassword;
    std::string watermarkPath;
    std::string watermarkX;
    std::string watermarkY;
};
