#pragma once
#include <string>
#include <vector>

// PDFs for the watermark tests, made with libqpdf, and their pages rendered
// with PDFium as a viewer shows them.
namespace test_pages {

struct PageFixture {
    double width = 400, height = 300;
    std::vector<double> cropBox;  // four numbers, or none
    int rotate = 0;
};

// Every page is filled with Background; its content then ends with an
// unbalanced save, a scale and a tiny clip, and first restores a state it
// never saved: a picture drawn after it must be immune to all of that.
constexpr unsigned char Background[3] = {0, 0, 255};
void writeFilledPdf(const std::string& path, const std::vector<PageFixture>& pages);

struct Rgb {
    int r, g, b;
};

// A page rendered at one pixel per point, top-left corner first.
class RenderedPage {
public:
    int width = 0, height = 0;
    Rgb at(int x, int y) const;

    std::vector<unsigned char> bgrx;
    int stride = 0;
};

// Loads PDFium through the document object when needed; annotations are
// drawn when asked for.
RenderedPage renderPage(const std::string& path, int pageIndex, const std::string& password = "",
                        bool annotations = false);

// Entry points looked up by name in the PDFium library the program loaded.
void* pdfiumEntry(const char* name);

}  // namespace test_pages
