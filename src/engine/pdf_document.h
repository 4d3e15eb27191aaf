#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/pdfium_api.h"

class QPDF;

// PDFium's save flags.
enum class SaveMode { Copy = 0, Incremental = 1, NoIncremental = 2, RemoveSecurity = 3 };
// The file version a save writes; Unknown keeps the document's own.
enum class PdfVersion { Unknown, V10, V11, V12, V13, V14, V15, V16, V17 };

// One PDFium document, opened from a file or created empty, and closed when
// the object goes. Every failure raises PdfError. Movable, not copyable.
class PdfDocument {
public:
    // Opens a file with its password ("" for none). Anything but a regular
    // file is refused. A file PDFium refuses, repairs or finds no page in is
    // read through libqpdf's rewrite of it when libqpdf reads it with pages
    // (repaired() tells). A document whose page /Parent chain loops is
    // refused as corrupted; for one that declares pages it does not have,
    // only the pages that exist are counted.
    static PdfDocument open(const std::string& path, const std::string& password = "");
    // A rewrite of the file at path, made in memory by the caller and kept by
    // the document; raises when PDFium cannot read it or finds no page.
    // libqpdfParse: the file's parse to hand on (see libqpdfParse()).
    static PdfDocument openRewrite(const std::string& path, std::string bytes,
                                   std::shared_ptr<QPDF> libqpdfParse = nullptr);
    // An empty document, for an output to be built.
    static PdfDocument create();

    PdfDocument(PdfDocument&& other) noexcept;
    PdfDocument& operator=(PdfDocument&& other) noexcept;
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;
    ~PdfDocument();

    // False only for a document moved from.
    bool isOpen() const { return open_ != nullptr; }
    // The file it was opened from; empty for a created document.
    const std::string& path() const;
    int pageCount() const;
    // True when the file was read through libqpdf's repair of it.
    bool repaired() const;
    // Whether it was opened with openRewrite.
    bool fromRewrite() const;
    // libqpdf's reading of the file, when opening made one to check the page
    // tree (null otherwise): whoever reads the file with libqpdf later takes
    // it instead of parsing the file again.
    std::shared_ptr<QPDF> libqpdfParse() const;

    // Copies the given 1-based pages of source, in their order and with their
    // repeats, in one PDFium call (so that objects the pages share, such as
    // fonts and images, are copied once), the first becoming page insertAt.
    // False when PDFium refuses; it may have copied the pages before the one
    // it could not. Runs on a deep stack (see runOnDeepStack), so that a
    // long chain of references does not end the process.
    bool importPages(const PdfDocument& source, const std::vector<int>& pages, int insertAt);
    // Puts the pages in the order given: order[k] is the 0-based index of
    // the page that becomes page k + 1, every page named once. False when
    // PDFium cannot (a build without the call), the pages unmoved then.
    bool reorderPages(const std::vector<int>& order);
    // Whether the PDFium build can reorder pages.
    static bool canReorderPages();
    bool copyViewerPreferences(const PdfDocument& source);
    // The width and height in points of a 1-based page as a viewer shows it
    // (its crop box, turned by its rotation). Raises PdfError when there is
    // no such page.
    FS_SIZEF pageSize(int page) const;
    // Adds an empty page of the given size in points after the last one.
    void addBlankPage(double width, double height);

    // Hands the document as a PDF file to write, a block at a time. An
    // exception write raises ends the save and comes out of it.
    void save(const std::function<void(const char*, std::size_t)>& write, SaveMode mode = SaveMode::Copy,
              PdfVersion version = PdfVersion::Unknown) const;
    // The document as a PDF file, in memory.
    std::string save(SaveMode mode = SaveMode::Copy, PdfVersion version = PdfVersion::Unknown) const;

    FPDF_DOCUMENT handle() const;

private:
    struct Open;
    explicit PdfDocument(std::unique_ptr<Open> open);

    std::unique_ptr<Open> open_;
};

// Raises PdfError with the text of PDFium's last error, or fallback when
// PDFium reports none, unless success is true.
void checkPdfium(bool success, const std::string& fallback);
std::string pdfiumErrorText();
std::string pdfiumErrorText(unsigned long code);
