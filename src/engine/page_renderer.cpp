#include "engine/page_renderer.h"

#include <algorithm>
#include <cmath>

#include "engine/pdf_document.h"
#include "engine/pdf_error.h"
#include "engine/pdfium_binding.h"

namespace {

constexpr FPDF_DWORD White = 0xFFFFFFFF;

// A loaded page, closed when it goes.
class LoadedPage {
public:
    LoadedPage(const PdfDocument& document, int index) : page_(pdfium().FPDF_LoadPage(document.handle(), index)) {
        if (!page_) throw PdfError("Cannot load page " + std::to_string(index + 1));
    }
    ~LoadedPage() { pdfium().FPDF_ClosePage(page_); }
    LoadedPage(const LoadedPage&) = delete;
    LoadedPage& operator=(const LoadedPage&) = delete;
    FPDF_PAGE handle() const { return page_; }

private:
    FPDF_PAGE page_;
};

// A bitmap over memory of ours, destroyed when it goes.
class Bitmap {
public:
    explicit Bitmap(PagePicture& picture)
        : bitmap_(pdfium().FPDFBitmap_CreateEx(picture.width, picture.height, FPDFBitmap_BGRA, picture.pixels.data(),
                                               picture.width * 4)) {
        if (!bitmap_) throw PdfError("Cannot make a picture of " + std::to_string(picture.width) + " x " +
                                     std::to_string(picture.height) + " pixels");
    }
    ~Bitmap() { pdfium().FPDFBitmap_Destroy(bitmap_); }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    FPDF_BITMAP handle() const { return bitmap_; }

private:
    FPDF_BITMAP bitmap_;
};

void requireRendering() {
    const PdfiumEntryPoints& api = pdfium();
    if (!api.FPDFBitmap_CreateEx || !api.FPDFBitmap_FillRect || !api.FPDFBitmap_Destroy ||
        !api.FPDF_RenderPageBitmap || !api.FPDF_GetPageWidthF || !api.FPDF_GetPageHeightF)
        throw PdfError("This PDFium build cannot draw pages");
}

// The side of `length` points scaled, at least one pixel.
int scaledSide(double length, double scale, int limit) {
    return std::clamp(static_cast<int>(std::lround(length * scale)), 1, limit);
}

void appendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16LE bytes to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8OfUtf16le(const std::vector<unsigned char>& bytes) {
    std::vector<char16_t> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    while (!units.empty() && units.back() == 0) units.pop_back();
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            appendUtf8(text, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            appendUtf8(text, 0xFFFD);
        } else {
            appendUtf8(text, unit);
        }
    }
    return text;
}

}  // namespace

PagePicture renderPage(const PdfDocument& document, int index, int maxWidth, int maxHeight) {
    if (maxWidth < 1 || maxHeight < 1 || maxWidth > MaxPictureSide || maxHeight > MaxPictureSide)
        throw PdfError("No picture can be " + std::to_string(maxWidth) + " x " + std::to_string(maxHeight) + " pixels");
    requireRendering();
    const LoadedPage page(document, index);
    const double width = pdfium().FPDF_GetPageWidthF(page.handle());
    const double height = pdfium().FPDF_GetPageHeightF(page.handle());
    if (!(width > 0 && height > 0) || !std::isfinite(width) || !std::isfinite(height))
        throw PdfError("Page " + std::to_string(index + 1) + " has no size");
    const double scale = std::min(maxWidth / width, maxHeight / height);

    PagePicture picture;
    picture.width = scaledSide(width, scale, maxWidth);
    picture.height = scaledSide(height, scale, maxHeight);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
    const Bitmap bitmap(picture);
    pdfium().FPDFBitmap_FillRect(bitmap.handle(), 0, 0, picture.width, picture.height, White);
    pdfium().FPDF_RenderPageBitmap(bitmap.handle(), page.handle(), 0, 0, picture.width, picture.height, 0, FPDF_ANNOT);
    return picture;
}

std::string pageLabel(const PdfDocument& document, int index) {
    const auto label = pdfium().FPDF_GetPageLabel;
    if (!label) return "";
    // The length in bytes, with the closing zero unit; 0 when there is no label.
    const unsigned long bytes = label(document.handle(), index, nullptr, 0);
    if (bytes < 2) return "";
    std::vector<unsigned char> text(bytes);
    if (label(document.handle(), index, text.data(), bytes) != bytes) return "";
    return utf8OfUtf16le(text);
}
