#include "support/coloured_pdfs.h"

#include <cstdio>

#include "support/damaged_pdfs.h"

namespace fixtures {
namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

std::string colour(const Rgb& rgb) {
    return number(rgb.red / 255.0) + " " + number(rgb.green / 255.0) + " " + number(rgb.blue / 255.0) + " rg ";
}

std::string stream(const std::string& data) {
    return "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

}  // namespace

std::string colouredPdf(const std::vector<ColouredPage>& pages, bool romanLabels) {
    // 1 catalog, 2 page tree, then a page object and its contents for each page.
    std::string kids;
    for (std::size_t i = 0; i < pages.size(); ++i) kids += std::to_string(3 + 2 * i) + " 0 R ";
    std::vector<std::string> objects = {
        std::string("<< /Type /Catalog /Pages 2 0 R") + (romanLabels ? " /PageLabels << /Nums [0 << /S /r >>] >>" : "") +
            " >>",
        "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>"};
    for (const ColouredPage& page : pages) {
        const std::string half = number(page.width / 2);
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(page.width) + " " +
                          number(page.height) + "] /Contents " + std::to_string(objects.size() + 2) + " 0 R >>");
        objects.push_back(stream(colour(page.left) + "0 0 " + half + " " + number(page.height) + " re f " +
                                 colour(page.right) + half + " 0 " + half + " " + number(page.height) + " re f"));
    }
    return assemblePdf(objects);
}

}  // namespace fixtures
