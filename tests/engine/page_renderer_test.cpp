#include <gtest/gtest.h>

#include "engine/page_renderer.h"
#include "engine/pdf_document.h"
#include "engine/pdf_error.h"
#include "support/coloured_pdfs.h"
#include "support/fixtures.h"

namespace {

using fixtures::ColouredPage;
using fixtures::Rgb;

const Rgb Red{255, 0, 0}, Green{0, 160, 0}, Blue{0, 0, 255};

// The pixel at x, y as red, green, blue.
Rgb pixelAt(const PagePicture& picture, int x, int y) {
    const unsigned char* bgra = &picture.pixels[(static_cast<std::size_t>(y) * picture.width + x) * 4];
    EXPECT_EQ(bgra[3], 255) << "at " << x << ", " << y;
    return {bgra[2], bgra[1], bgra[0]};
}

bool near(const Rgb& a, const Rgb& b) {
    return std::abs(a.red - b.red) <= 8 && std::abs(a.green - b.green) <= 8 && std::abs(a.blue - b.blue) <= 8;
}

std::string text(const Rgb& c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

class PageRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeFile(dir.file("colours.pdf"),
                            fixtures::colouredPdf({ColouredPage{100, 200, Red, Blue}, ColouredPage{300, 100, Green, Green}},
                                                  true));
    }
    fixtures::TempDir dir;
};

// Each page as large as fits the box, its proportions kept, its colours where the page has them.
TEST_F(PageRendererTest, DrawsPagesWithTheirColoursWithinTheBox) {
    const PdfDocument document = PdfDocument::open(dir.file("colours.pdf"));
    struct Case {
        int page, maxWidth, maxHeight, width, height;
        Rgb left, right;
    } cases[] = {
        {0, 64, 64, 32, 64, Red, Blue},
        {0, 10, 400, 10, 20, Red, Blue},
        {1, 60, 60, 60, 20, Green, Green},
    };
    for (const Case& c : cases) {
        const PagePicture picture = renderPage(document, c.page, c.maxWidth, c.maxHeight);
        ASSERT_EQ(picture.width, c.width) << c.page;
        ASSERT_EQ(picture.height, c.height) << c.page;
        ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(c.width * c.height * 4));
        for (int y : {0, c.height / 2, c.height - 1}) {
            EXPECT_TRUE(near(pixelAt(picture, 1, y), c.left)) << text(pixelAt(picture, 1, y)) << " page " << c.page;
            EXPECT_TRUE(near(pixelAt(picture, c.width - 2, y), c.right))
                << text(pixelAt(picture, c.width - 2, y)) << " page " << c.page;
        }
    }
}

TEST_F(PageRendererTest, ReadsPageLabels) {
    const PdfDocument labelled = PdfDocument::open(dir.file("colours.pdf"));
    EXPECT_EQ(pageLabel(labelled, 0), "i");
    EXPECT_EQ(pageLabel(labelled, 1), "ii");
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "A", 1);
    EXPECT_EQ(pageLabel(PdfDocument::open(dir.file("plain.pdf")), 0), "");
}

TEST_F(PageRendererTest, RefusesBoxesOutOfRangeAndMissingPages) {
    const PdfDocument document = PdfDocument::open(dir.file("colours.pdf"));
    for (auto [width, height] : {std::pair{0, 10}, std::pair{10, -1}, std::pair{MaxPictureSide + 1, 10}})
        EXPECT_THROW(renderPage(document, 0, width, height), PdfError) << width << " x " << height;
    EXPECT_THROW(renderPage(document, 2, 10, 10), PdfError);
}

}  // namespace
