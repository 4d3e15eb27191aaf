#pragma once
#include <string>
#include <vector>

// The longest file name, in bytes and without ".pdf", made from a title.
constexpr std::size_t MostTitleNameBytes = 200;

// A title (UTF-8) as the stem of a file name: bidirectional controls and
// zero-width characters go and the rest is put in composed normal form (NFC);
// every path separator, control character and character Windows refuses in
// names (<>:"|?*) becomes "_", blanks and dots at either end go, and the text
// is cut to MostTitleNameBytes at a character boundary; a name Windows keeps
// for a device (CON, NUL, COM1, ...) gets a "_" before it. Empty when nothing
// is left.
std::string fileStemOfTitle(const std::string& rawTitle);

// Gives each output a name no other output of the job has, nor the job's
// input (by its spelling, and by file identity for another spelling such as
// "./in.pdf"): a repeated name (compared without regard to ASCII letter case,
// as Windows does) gets " (2)", " (3)", ... before its ".pdf", within the same
// length. The names are folder + stem + ".pdf".
std::vector<std::string> uniqueOutputNames(const std::string& folder, const std::vector<std::string>& stems,
                                           const std::string& inputPath);
