#pragma once
#include <string>
#include <vector>

class PdfDocument;

// A page drawn on white: rows from the top, 4 bytes a pixel in the order
// blue, green, red, alpha (alpha always 255), no gap between rows.
struct PagePicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // width * height * 4 bytes
};

// The largest side a picture may have.
inline constexpr int MaxPictureSide = 4096;

// Draws page `index` (0-based) with its annotations, its rotation applied, as
// large as fits within maxWidth x maxHeight pixels (1 to MaxPictureSide) with
// its proportions kept. Raises PdfError when the box is out of range, PDFium
// has no rendering, or the page cannot be loaded or has no size.
PagePicture renderPage(const PdfDocument& document, int index, int maxWidth, int maxHeight);

// The page's label in UTF-8 ("iv", "A-3"), "" when the document gives it none.
std::string pageLabel(const PdfDocument& document, int index);
