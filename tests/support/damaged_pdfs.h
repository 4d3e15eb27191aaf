#pragma once
#include <string>
#include <vector>

// Broken and awkward input files, made by the tests themselves: each entry is
// a file name and its bytes, or a folder that carries a PDF name.
namespace fixtures {

struct DamagedPdf {
    std::string name;
    std::string bytes;
    bool isFolder = false;
};

// A small well-formed PDF written byte by byte (page i shows prefix + i), for
// entries that change one structure while everything else stays sound.
std::string handMadePdf(const std::string& prefix, int pages);

// Objects numbered from 1 in order, a cross-reference table that points at
// each, and a trailer with /Root 1 0 R plus trailerExtra.
std::string assemblePdf(const std::vector<std::string>& objects, const std::string& trailerExtra = "");

// Every damaged entry: truncations, garbage, a broken cross-reference table, a
// wrong object, no pages, a page tree loop, a huge declared page count, a
// page tree naming a page that is not there, an
// unknown security handler, a file without header or cross-reference table,
// a catalog written in the trailer, a form field tree listing each child
// twice (2^26 paths), a folder named like a PDF, and sound documents
// under names with blanks, quotes, non-ASCII letters and a leading "-". The
// sound documents have three pages marked A1 to A3.
std::vector<DamagedPdf> damagedPdfs();

// Puts the entry into folder (with its trailing separator); returns its path.
std::string placeDamagedPdf(const std::string& folder, const DamagedPdf& entry);

}  // namespace fixtures
