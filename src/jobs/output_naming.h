#pragma once
#include <string>

#include "jobs/input_file.h"

// Count of decimal digits of a page count (0 gives 1).
int digitCount(int pageCount);

// folder + base + number padded with "0" to the digit count of pageCount + ".pdf".
std::string numberedOutputName(const std::string& folder, const std::string& base, int number, int pageCount);

// The file name with every ".pdf" removed (any letter case) and "_" appended:
// Report.PDF gives Report_, my.pdfs.pdf gives mys_.
std::string baseNameFor(const std::string& fileName);

// Where the outputs made from an input go unless told otherwise: beside it,
// under its base name.
struct OutputPlace {
    std::string baseName;
    std::string folder;
};
OutputPlace defaultOutputPlace(const InputFile& input);

// part * 100 / whole rounded to the nearest whole number, halves to even.
int progressPercent(long long part, long long whole);
