#pragma once
#include <string>

#include "finishing/written_output.h"

// What of an output's protection came from the stored settings rather than
// from the command's options.
struct StoredProtectionUse {
    bool password = false;
    bool watermark = false;
};

// "path (N pages)", and what the stored settings added when they protected
// or stamped the file: "a.pdf (2 pages, password and watermark from the
// stored settings)". A stored password applies to every job that does not
// say otherwise, so the listing tells it.
std::string listingLine(const WrittenOutput& output, const StoredProtectionUse& stored);
