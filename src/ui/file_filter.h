#pragma once
#include <string>

// File-dialog filters are written as pairs of description and patterns,
// separated by "|", with ";" between the patterns of one pair:
// "PDF file|*.pdf" or "Pictures|*.png;*.jpg". Qt writes the same thing as
// "PDF file (*.pdf)" and "Pictures (*.png *.jpg)", pairs separated by ";;".
std::string qtFileFilter(const std::string& filter);

// The name with "." + extension appended when its file name has no extension
// of its own ("out" gives "out.pdf"; "out.PDF" and "a.b" stay as they are).
// An empty name or extension leaves the name unchanged.
std::string withDefaultExtension(const std::string& name, const std::string& extension);

// The filter of the dialogs that choose PDF files.
inline constexpr const char* pdfFileFilter = "PDF file|*.pdf";
