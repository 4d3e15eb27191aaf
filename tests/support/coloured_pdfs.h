#pragma once
#include <string>
#include <vector>

// PDFs whose pages are filled with known colours, for checking pictures of
// pages pixel by pixel.
namespace fixtures {

struct Rgb {
    int red = 0, green = 0, blue = 0;  // 0 to 255
};

// One page of a coloured PDF: its size in points, filled with `left` on its
// left half and `right` on its right half.
struct ColouredPage {
    double width = 100, height = 200;
    Rgb left, right;
};

// A PDF of the pages, written byte by byte; with `romanLabels` its pages are
// labelled i, ii, iii...
std::string colouredPdf(const std::vector<ColouredPage>& pages, bool romanLabels = false);

}  // namespace fixtures
