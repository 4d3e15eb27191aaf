#include "test_pages.h"

#include <dlfcn.h>

#include <sstream>
#include <stdexcept>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "engine/pdf_document.h"

namespace test_pages {
namespace {

std::string numbers(const std::vector<double>& values) {
    std::ostringstream out;
    out << "[";
    for (double v : values) out << v << " ";
    out << "]";
    return out.str();
}

}  // namespace

void writeFilledPdf(const std::string& path, const std::vector<PageFixture>& pages) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper document(pdf);
    for (const PageFixture& pageShape : pages) {
        std::ostringstream content;
        content << "0 0 1 rg 0 0 " << pageShape.width << " " << pageShape.height << " re f\n"
                << "Q 0.5 0 0 0.5 3 3 cm 0 0 4 4 re W n\n"
                << "q 3 0 0 3 0 0 cm q 1 1 0 rg\n";
        QPDFObjectHandle page = pdf.makeIndirectObject(
            QPDFObjectHandle::parse("<< /Type /Page /MediaBox " + numbers({0, 0, pageShape.width, pageShape.height}) +
                                    " /Resources << >> >>"));
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content.str()));
        if (pageShape.rotate) page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(pageShape.rotate));
        if (!pageShape.cropBox.empty()) page.replaceKey("/CropBox", QPDFObjectHandle::parse(numbers(pageShape.cropBox)));
        document.addPage(QPDFPageObjectHelper(page), false);
    }
    QPDFWriter writer(pdf, path.c_str());
    writer.write();
}

Rgb RenderedPage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) throw std::out_of_range("pixel outside the page");
    const unsigned char* pixel = bgrx.data() + y * stride + x * 4;
    return {pixel[2], pixel[1], pixel[0]};
}

void* pdfiumEntry(const char* name) {
    void* library = dlopen("libpdfium.so", RTLD_NOW | RTLD_NOLOAD);
    if (!library) throw std::runtime_error("PDFium is not loaded");
    void* entry = dlsym(library, name);
    dlclose(library);
    if (!entry) throw std::runtime_error(std::string("PDFium lacks ") + name);
    return entry;
}

RenderedPage renderPage(const std::string& path, int pageIndex, const std::string& password, bool annotations) {
    const PdfDocument pdf = PdfDocument::open(path, password);

    using Bitmap = void*;
    auto loadPage = reinterpret_cast<FPDF_PAGE (*)(FPDF_DOCUMENT, int)>(pdfiumEntry("FPDF_LoadPage"));
    auto closePage = reinterpret_cast<void (*)(FPDF_PAGE)>(pdfiumEntry("FPDF_ClosePage"));
    auto pageWidth = reinterpret_cast<float (*)(FPDF_PAGE)>(pdfiumEntry("FPDF_GetPageWidthF"));
    auto pageHeight = reinterpret_cast<float (*)(FPDF_PAGE)>(pdfiumEntry("FPDF_GetPageHeightF"));
    auto createBitmap = reinterpret_cast<Bitmap (*)(int, int, int)>(pdfiumEntry("FPDFBitmap_Create"));
    auto fillRect = reinterpret_cast<FPDF_BOOL (*)(Bitmap, int, int, int, int, FPDF_DWORD)>(
        pdfiumEntry("FPDFBitmap_FillRect"));
    auto render = reinterpret_cast<void (*)(Bitmap, FPDF_PAGE, int, int, int, int, int, int)>(
        pdfiumEntry("FPDF_RenderPageBitmap"));
    auto buffer = reinterpret_cast<void* (*)(Bitmap)>(pdfiumEntry("FPDFBitmap_GetBuffer"));
    auto stride = reinterpret_cast<int (*)(Bitmap)>(pdfiumEntry("FPDFBitmap_GetStride"));
    auto destroyBitmap = reinterpret_cast<void (*)(Bitmap)>(pdfiumEntry("FPDFBitmap_Destroy"));

    FPDF_PAGE page = loadPage(pdf.handle(), pageIndex);
    if (!page) throw std::runtime_error("cannot load the page");
    RenderedPage rendered;
    rendered.width = static_cast<int>(pageWidth(page) + 0.5f);
    rendered.height = static_cast<int>(pageHeight(page) + 0.5f);
    Bitmap bitmap = createBitmap(rendered.width, rendered.height, 0);
    fillRect(bitmap, 0, 0, rendered.width, rendered.height, 0xFFFFFFFF);
    const int drawAnnotations = 0x01;  // FPDF_ANNOT
    render(bitmap, page, 0, 0, rendered.width, rendered.height, 0, annotations ? drawAnnotations : 0);
    rendered.stride = stride(bitmap);
    const auto* bytes = static_cast<const unsigned char*>(buffer(bitmap));
    rendered.bgrx.assign(bytes, bytes + rendered.stride * rendered.height);
    destroyBitmap(bitmap);
    closePage(page);
    return rendered;
}

}  // namespace test_pages
