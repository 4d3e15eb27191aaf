#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "engine/pdf_document.h"
#include "finishing/output_finisher.h"
#include "base/application.h"
#include "support/finish_file.h"
#include "support/fixtures.h"
#include "test_pages.h"
#include "test_pictures.h"

namespace {

using fixtures::TempDir;
using pictures::PngKind;
using pictures::Rgba;
using test_pages::PageFixture;
using test_pages::RenderedPage;
using test_pages::Rgb;

const Rgb Blue{0, 0, 255};

bool near(const Rgb& seen, const Rgb& wanted) {
    return std::abs(seen.r - wanted.r) <= 12 && std::abs(seen.g - wanted.g) <= 12 && std::abs(seen.b - wanted.b) <= 12;
}

std::string describe(const Rgb& c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

// What a viewer shows where a picture pixel lies over the blue page.
Rgb overBackground(const Rgba& c) {
    return c.a == 0 ? Blue : Rgb{c.r, c.g, c.b};
}

class Watermark : public ::testing::Test {
protected:
    void finish(const std::string& picture, int x, int y, const std::string& password = "") {
        fixtures::finishFile(
            OutputFinisher(Protection{password, picture, std::to_string(x), std::to_string(y)}, CreatorText), output);
    }

    // Checks the centre of each quadrant of the 60 x 30 point test picture
    // whose top-left corner lies at x, y of the page as shown, and that the
    // page shows its own content just beside the picture.
    void expectQuadrantsAt(const RenderedPage& page, int x, int y, PngKind kind, const std::string& label) {
        struct Probe {
            double u, v;
            Rgb wanted;
            const char* where;
        } probes[] = {
            {15, 7.5, overBackground(pictures::asStored(pictures::QuadrantA, kind)), "top-left quadrant"},
            {45, 7.5, overBackground(pictures::asStored(pictures::QuadrantB, kind)), "top-right quadrant"},
            {15, 22.5, overBackground(pictures::asStored(pictures::QuadrantClear, kind)), "bottom-left quadrant"},
            {45, 22.5, overBackground(pictures::asStored(pictures::QuadrantBlack, kind)), "bottom-right quadrant"},
            {64, 15, Blue, "right of the picture"},
            {30, 34, Blue, "below the picture"},
            {-4, 15, Blue, "left of the picture"},
            {30, -4, Blue, "above the picture"},
        };
        for (const Probe& probe : probes) {
            const int px = static_cast<int>(x + probe.u), py = static_cast<int>(y + probe.v);
            if (px < 0 || py < 0 || px >= page.width || py >= page.height) continue;
            const Rgb seen = page.at(px, py);
            EXPECT_TRUE(near(seen, probe.wanted))
                << label << ", " << probe.where << " at " << px << "," << py << ": saw " << describe(seen)
                << ", wanted " << describe(probe.wanted);
        }
    }

    TempDir dir;
    std::string output = dir.file("out.pdf");
    std::string picture = dir.file("mark.png");
};

// Whatever the page's crop box and rotation, the picture sits upright at the
// position measured from the top-left corner of the page as it is shown.
TEST_F(Watermark, SitsAtItsPositionOnThePageAsShown) {
    struct Case {
        PageFixture page;
        int x, y;
        int shownWidth, shownHeight;
    } cases[] = {
        {{400, 300, {}, 0}, 0, 0, 400, 300},
        {{400, 300, {}, 0}, 20, 30, 400, 300},
        {{400, 300, {}, 90}, 20, 30, 300, 400},
        {{400, 300, {}, 180}, 20, 30, 400, 300},
        {{400, 300, {}, 270}, 20, 30, 300, 400},
        {{400, 300, {50, 40, 350, 280}, 0}, 10, 15, 300, 240},
        {{400, 300, {350, 280, 50, 40}, 90}, 10, 15, 240, 300},
        {{400, 300, {50, 40, 350, 280}, -90}, 100, 200, 240, 300},
        {{400, 300, {50, 40, 350, 280}, 180}, 230, 200, 300, 240},
        {{400, 300, {}, 0}, -30, -10, 400, 300},   // partly beyond the top-left corner
        {{400, 300, {}, 0}, 370, 290, 400, 300},   // partly beyond the bottom-right corner
    };
    pictures::writePng(picture, {});
    for (const Case& c : cases) {
        const std::string label = "rotate " + std::to_string(c.page.rotate) + (c.page.cropBox.empty() ? "" : " cropped") +
                                  " at " + std::to_string(c.x) + "," + std::to_string(c.y);
        test_pages::writeFilledPdf(output, {c.page});
        finish(picture, c.x, c.y);
        const RenderedPage page = test_pages::renderPage(output, 0);
        ASSERT_EQ(page.width, c.shownWidth) << label;
        ASSERT_EQ(page.height, c.shownHeight) << label;
        expectQuadrantsAt(page, c.x, c.y, PngKind::Rgba, label);
    }
}

// Every PNG kind keeps its colours, and its transparency where it has any.
TEST_F(Watermark, DrawsEveryKindOfPng) {
    struct Case {
        PngKind kind;
        int bitDepth;
        bool interlaced;
        const char* label;
    } cases[] = {
        {PngKind::Rgba, 8, false, "RGB with alpha, 8-bit"},
        {PngKind::Rgba, 16, false, "RGB with alpha, 16-bit"},
        {PngKind::Rgb, 8, false, "RGB, 8-bit"},
        {PngKind::Rgb, 16, true, "RGB, 16-bit, interlaced"},
        {PngKind::GreyAlpha, 8, false, "grey with alpha, 8-bit"},
        {PngKind::GreyAlpha, 16, false, "grey with alpha, 16-bit"},
        {PngKind::Grey, 8, false, "grey, 8-bit"},
        {PngKind::Grey, 16, false, "grey, 16-bit"},
        {PngKind::PaletteWithTransparency, 8, false, "palette with transparency"},
        {PngKind::Palette, 8, true, "palette, interlaced"},
        {PngKind::Rgba, 8, true, "RGB with alpha, interlaced"},
    };
    test_pages::writeFilledPdf(dir.file("blank.pdf"), {PageFixture{}});
    const std::string blank = fixtures::readFile(dir.file("blank.pdf"));
    for (const Case& c : cases) {
        pictures::PictureFixture pngShape;
        pngShape.kind = c.kind;
        pngShape.bitDepth = c.bitDepth;
        pngShape.interlaced = c.interlaced;
        pictures::writePng(picture, pngShape);
        fixtures::writeFile(output, blank);
        finish(picture, 25, 35);
        expectQuadrantsAt(test_pages::renderPage(output, 0), 25, 35, c.kind, c.label);
    }
}

// The bounds of the pixels that are not the page's blue.
struct Bounds {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Bounds pictureBounds(const RenderedPage& page) {
    Bounds bounds;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (!near(page.at(x, y), Blue)) {
                bounds.left = std::min(bounds.left, x);
                bounds.top = std::min(bounds.top, y);
                bounds.right = std::max(bounds.right, x + 1);
                bounds.bottom = std::max(bounds.bottom, y + 1);
            }
    return bounds;
}

// A picture is drawn at its pixel size at the resolution its file records,
// 96 dpi when it records none.
TEST_F(Watermark, TakesItsSizeFromTheRecordedResolution) {
    const Rgba red{230, 20, 20, 255};
    auto solid = [red](int, int, int, int) { return red; };
    struct Case {
        const char* label;
        std::function<void(const std::string&)> write;
        int width, height;  // points
    } cases[] = {
        {"PNG without a resolution", [&](const std::string& p) {
             pictures::PictureFixture pngShape;
             pngShape.kind = PngKind::Rgb;
             pngShape.pixel = solid;
             pictures::writePng(p, pngShape);
         }, 60, 30},
        {"PNG at 144 dpi", [&](const std::string& p) {
             pictures::PictureFixture pngShape;
             pngShape.kind = PngKind::Rgb;
             pngShape.pixel = solid;
             pngShape.pixelsPerMetre = 5669;
             pictures::writePng(p, pngShape);
         }, 40, 20},
        {"JPEG without a density", [&](const std::string& p) { pictures::writeJpeg(p, 80, 40, 3, red, 0); }, 60, 30},
        {"JPEG at 48 dpi", [&](const std::string& p) { pictures::writeJpeg(p, 40, 20, 3, red, 48); }, 60, 30},
        {"grey JPEG at 72 dpi", [&](const std::string& p) { pictures::writeJpeg(p, 50, 24, 1, red, 72); }, 50, 24},
    };
    test_pages::writeFilledPdf(dir.file("blank.pdf"), {PageFixture{}});
    const std::string blank = fixtures::readFile(dir.file("blank.pdf"));
    for (const Case& c : cases) {
        const std::string file = dir.file("solid.pic");
        c.write(file);
        fixtures::writeFile(output, blank);
        finish(file, 30, 40);
        const Bounds bounds = pictureBounds(test_pages::renderPage(output, 0));
        EXPECT_EQ(bounds.left, 30) << c.label;
        EXPECT_EQ(bounds.top, 40) << c.label;
        EXPECT_EQ(bounds.right - bounds.left, c.width) << c.label;
        EXPECT_EQ(bounds.bottom - bounds.top, c.height) << c.label;
    }
}

// One image object serves every page; a JPEG is that object's data unchanged.
TEST_F(Watermark, SharesOnePictureObjectAcrossPages) {
    pictures::writeJpeg(dir.file("mark.jpg"), 16, 8, 3, {10, 200, 10, 255}, 0);
    test_pages::writeFilledPdf(output, {PageFixture{}, PageFixture{200, 500, {}, 90}, PageFixture{}});
    finish(dir.file("mark.jpg"), 5, 5, "pw");

    QPDF pdf;
    pdf.processFile(output.c_str(), "pw");
    std::set<QPDFObjGen> images;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        for (auto& entry : page.getImages()) images.insert(entry.second.getObjGen());
    ASSERT_EQ(images.size(), 1u);
    QPDFObjectHandle image = pdf.getObjectByObjGen(*images.begin());
    EXPECT_EQ(image.getDict().getKey("/Filter").getName(), "/DCTDecode");
    std::shared_ptr<Buffer> data = image.getRawStreamData();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()),
              fixtures::readFile(dir.file("mark.jpg")));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(near(test_pages::renderPage(output, i, "pw").at(7, 7), {10, 200, 10})) << "page " << i + 1;
}

}  // namespace

namespace {

int darkPixels(const RenderedPage& page, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb c = page.at(x, y);
            count += c.r + c.g + c.b < 150;
        }
    return count;
}

// Pages whose resources and rotation come from the page tree, finished as
// they are and as a job writes them through PDFium: the picture lands on every
// page as shown, and the pages keep their own text.
TEST(WatermarkOnJobOutput, KeepsInheritedResourcesAndRotation) {
    TempDir dir;
    const std::string input = dir.file("in.pdf"), inherited = dir.file("inherited.pdf"), picture = dir.file("mark.png");
    fixtures::writeMarkedPdf(input, "A", 2);
    {
        // Move the first page's resources and a quarter turn up to the page tree.
        QPDF pdf;
        pdf.processFile(input.c_str());
        QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
        QPDFObjectHandle first = QPDFPageDocumentHelper(pdf).getAllPages().at(0).getObjectHandle();
        root.replaceKey("/Resources", first.getKey("/Resources"));
        root.replaceKey("/Rotate", QPDFObjectHandle::newInteger(90));
        first.removeKey("/Resources");
        QPDFWriter writer(pdf, inherited.c_str());
        writer.write();
    }
    const RenderedPage before = test_pages::renderPage(inherited, 0);
    EXPECT_GT(darkPixels(before, 640, 40, 760, 180), 100);
    pictures::writePng(picture, {});
    OutputFinisher finisher(Protection{"pw", picture, "400", "500"}, CreatorText);

    for (bool throughPdfium : {false, true}) {
        const std::string output = dir.file(throughPdfium ? "job.pdf" : "as-is.pdf");
        const std::string label = throughPdfium ? "saved by PDFium" : "inheriting";
        if (throughPdfium) {
            const PdfDocument source = PdfDocument::open(inherited);
            PdfDocument made = PdfDocument::create();
            made.importPages(source, {1, 2}, 1);
            fixtures::writeFile(output, made.save());
            fixtures::finishFile(finisher, output);
        } else {
            fixtures::writeFile(output, fixtures::readFile(inherited));
            fixtures::finishFile(finisher, output);
        }
        EXPECT_EQ(fixtures::markerText(output, "pw"), "A1 A2") << label;
        {
            // PDFium draws a missing font with a stand-in, so the resources are read back.
            QPDF pdf;
            pdf.processFile(output.c_str(), "pw");
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
                EXPECT_TRUE(page.getAttribute("/Resources", false).getKey("/Font").hasKey("/F1")) << label;
        }
        for (int i = 0; i < 2; ++i) {
            const RenderedPage page = test_pages::renderPage(output, i, "pw");
            ASSERT_EQ(page.width, 792) << label << ", page " << i + 1;  // turned a quarter: shown landscape
            EXPECT_TRUE(near(page.at(415, 507), {220, 30, 30})) << label << ", page " << i + 1;
            EXPECT_TRUE(near(page.at(445, 507), {40, 200, 40})) << label << ", page " << i + 1;
            EXPECT_TRUE(near(page.at(415, 522), {255, 255, 255})) << label << ", page " << i + 1;
        }
        // The first page's marker text (turned, near the right edge as shown) is all still there.
        EXPECT_EQ(darkPixels(test_pages::renderPage(output, 0, "pw"), 640, 40, 760, 180),
                  darkPixels(before, 640, 40, 760, 180))
            << label;
    }
}

}  // namespace
