#pragma once
#include <cstddef>
#include <string>

// What finishing applies to every output besides the creator and the dates:
// the output password, and the watermark picture with its distance from the
// page's top-left corner.
struct Protection {
    std::string outputPassword;  // empty: no password
    std::string watermarkPath;   // empty: no watermark
    std::string watermarkX;      // points right of the page's top-left corner, as typed
    std::string watermarkY;      // points down from the page's top-left corner, as typed
    // Why the stored output password could not be read (its keyring did not
    // answer), or "": a job refuses to write rather than leave it out.
    std::string outputPasswordUnreadable = {};
};

// Where a watermark goes unless told otherwise: this many points from the
// page's top-left corner, both ways.
inline constexpr const char* DefaultWatermarkPosition = "50";

// Readers cut an AES-256 password at 127 bytes of UTF-8; a longer one would
// protect files that those readers cannot open with it.
constexpr std::size_t MaxOutputPasswordBytes = 127;

// Why the text cannot be an output password, or "" when it can.
std::string outputPasswordProblem(const std::string& password);
