#include "engine/pdf_document.h"

#include <cerrno>
#include <cfenv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "base/background_work.h"
#include "engine/deep_stack.h"
#include "engine/page_tree_check.h"
#include "engine/pdf_error.h"
#include "engine/pdfium_binding.h"
#include "engine/qpdf_rewrite.h"

namespace {

// Masks the floating-point exceptions while PDFium works and restores the
// caller's choice afterwards.
class FpuExceptionsMasked {
public:
    FpuExceptionsMasked() {
#ifdef __GLIBC__
        previous_ = fedisableexcept(FE_ALL_EXCEPT);
#endif
    }
    ~FpuExceptionsMasked() {
#ifdef __GLIBC__
        if (previous_ > 0) feenableexcept(previous_);
#endif
    }
    FpuExceptionsMasked(const FpuExceptionsMasked&) = delete;
    FpuExceptionsMasked& operator=(const FpuExceptionsMasked&) = delete;

private:
    int previous_ = 0;
};

// PDFium's write record with the function its callback hands each block to.
struct BlockWriter {
    FPDF_FILEWRITE record;
    const std::function<void(const char*, std::size_t)>* write;
    std::exception_ptr failure;
};

int writeBlock(FPDF_FILEWRITE* self, const void* data, unsigned long size) {
    auto* writer = reinterpret_cast<BlockWriter*>(self);
    try {
        (*writer->write)(static_cast<const char*>(data), size);
        return 1;
    } catch (...) {
        writer->failure = std::current_exception();  // nothing may escape through PDFium's frames
        return 0;
    }
}

bool saveThrough(FPDF_DOCUMENT document, BlockWriter& writer, SaveMode mode, PdfVersion version) {
    writer.record.version = 1;
    writer.record.WriteBlock = writeBlock;
    const auto flags = static_cast<FPDF_DWORD>(mode);
    if (version == PdfVersion::Unknown) return pdfium().FPDF_SaveAsCopy(document, &writer.record, flags) != 0;
    const int fileVersion = 9 + static_cast<int>(version);  // V10 .. V17 -> 10 .. 17
    return pdfium().FPDF_SaveWithVersion(document, &writer.record, flags, fileVersion) != 0;
}

// Whether the page tree holds a page at index. Only its dictionary is looked
// up: a page is not parsed, so a page whose content inflates to gigabytes
// costs nothing to count.
bool pageExists(FPDF_DOCUMENT document, int index) {
    FpuExceptionsMasked guard;
    FS_SIZEF size{};
    return pdfium().FPDF_GetPageSizeByIndexF(document, index, &size) != 0;
}

// PDFium takes a page tree's declared count as the page count without
// counting when it lies below its own limit. A document that declares pages
// it does not have would make every job walk through pages that are not
// there: a split into single pages of a file declaring a million pages would
// write a million empty files. The pages that exist are counted instead: all
// of them when the last declared one exists, otherwise up to the first that
// does not (PDFium finds pages in tree order, so the missing ones are the
// last). -1 when every declared page exists.
int existingPagesWhenFewerThanDeclared(FPDF_DOCUMENT document) {
    const int declared = pdfium().FPDF_GetPageCount(document);
    if (declared <= 0 || pageExists(document, declared - 1)) return -1;
    if (!pageExists(document, 0)) return 0;
    int present = 0, missing = declared - 1;  // indices known to exist and not to
    while (missing - present > 1) {
        const int middle = present + (missing - present) / 2;
        (pageExists(document, middle) ? present : missing) = middle;
    }
    return present + 1;
}

}  // namespace

std::string pdfiumErrorText(unsigned long code) {
    switch (code) {
    case 0: return "";
    case 1: return "Unknown error";
    case 2: return "File not found or could not be opened";
    case 3: return "File not in PDF format or corrupted";
    case 4: return PasswordErrorText;
    case 5: return "Unsupported security scheme";
    case 6: return "Page not found or content error";
    default: return "Unknown error";
    }
}

std::string pdfiumErrorText() {
    if (!pdfiumLoaded()) return "";
    return pdfiumErrorText(pdfium().FPDF_GetLastError());
}

void checkPdfium(bool success, const std::string& fallback) {
    if (success) return;
    const std::string text = pdfiumErrorText();
    throw PdfError(text.empty() ? fallback : text);
}

// The open document, and the bytes it was read from when it came from memory.
struct PdfDocument::Open {
    explicit Open(FPDF_DOCUMENT opened, std::string fromPath = {}) : document(opened), path(std::move(fromPath)) {}
    Open(const Open&) = delete;
    Open& operator=(const Open&) = delete;
    ~Open() {
        if (document) pdfium().FPDF_CloseDocument(document);
    }

    FPDF_DOCUMENT document;
    std::string path;
    std::string memory;     // libqpdf's rewrite PDFium reads, for a repaired file
    bool repaired = false;
    bool fromRewrite = false;
    int existingPages = -1;  // pages that exist, when fewer than declared; -1 otherwise
    std::shared_ptr<QPDF> parsed;  // libqpdf's reading of the file made by the page tree check, if any
};

PdfDocument::PdfDocument(std::unique_ptr<Open> open) : open_(std::move(open)) {}
PdfDocument::PdfDocument(PdfDocument&& other) noexcept = default;
PdfDocument& PdfDocument::operator=(PdfDocument&& other) noexcept = default;
PdfDocument::~PdfDocument() = default;

namespace {

// PDFium blocks for ever opening a FIFO, and has nothing to read in a folder
// or a device.
void refuseOtherThanRegularFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) throw PdfError("Not a regular file");
}

// The pages of a document that exist: all it declares, or fewer.
int pagesThatExist(FPDF_DOCUMENT document) {
    const int existing = existingPagesWhenFewerThanDeclared(document);
    return existing >= 0 ? existing : pdfium().FPDF_GetPageCount(document);
}

bool soundForPdfium(FPDF_DOCUMENT document) {
    return document && pdfium().FPDF_DocumentHasValidCrossReferenceTable(document) && pagesThatExist(document) > 0;
}

}  // namespace

PdfDocument PdfDocument::open(const std::string& path, const std::string& password) {
    refuseOtherThanRegularFile(path);
    loadPdfium();
    FPDF_DOCUMENT document = pdfium().FPDF_LoadDocument(path.c_str(), password.c_str());
    const std::string refusal = document ? "" : pdfiumErrorText();
    std::unique_ptr<Open> open;
    if (document) open = std::make_unique<Open>(document, path);
    // The page tree check (see below for why) reads the file with libqpdf
    // alone: on a second core while PDFium counts the pages. Only for a file
    // PDFium opens, so that a wrong password costs no second try of it.
    std::shared_ptr<QPDF> parsed;
    bool parentLoops = false;
    std::optional<BackgroundWork> parentCheck;
    if (document) parentCheck.emplace([&] { parentLoops = parentChainLoops(path, password, &parsed); });
    // PDFium refuses some files other readers open (a broken header or
    // cross-reference table, odd encryption), finds no page in others, and
    // repairs damaged ones its own way, which may read objects no check of
    // ours sees. Such a file is read through libqpdf's rewrite when libqpdf
    // reads it with pages.
    if (!soundForPdfium(document)) {
        if (std::optional<std::string> rewrite = readableRewrite(path, password)) {
            auto repaired = std::make_unique<Open>(nullptr, path);
            repaired->memory = std::move(*rewrite);
            repaired->document =
                pdfium().FPDF_LoadMemDocument64(repaired->memory.data(), repaired->memory.size(), nullptr);
            if (repaired->document && pagesThatExist(repaired->document) > 0) {
                repaired->repaired = true;
                repaired->existingPages = existingPagesWhenFewerThanDeclared(repaired->document);
                return PdfDocument(std::move(repaired));
            }
        }
        if (!open) throw PdfError(refusal.empty() ? "Cannot load PDF document " + path : refusal);
        // What PDFium's own repair makes of a file libqpdf cannot read is
        // nothing our checks can see; it has made pages that hang the copy.
        if (!pdfium().FPDF_DocumentHasValidCrossReferenceTable(document))
            throw PdfError("File not in PDF format or corrupted");
    }
    // PDFium climbs a page's /Parent chain for the inherited entries the page
    // lacks (/MediaBox, /CropBox, /Rotate, /Resources) without noticing a
    // chain that leads back into itself, and copying such a page never
    // returns. Its public functions do not show /Parent, so the file is read
    // again on our side.
    parentCheck->wait();
    if (parentLoops) throw PdfError("File not in PDF format or corrupted");
    open->parsed = std::move(parsed);
    open->existingPages = existingPagesWhenFewerThanDeclared(document);
    return PdfDocument(std::move(open));
}

PdfDocument PdfDocument::openRewrite(const std::string& path, std::string bytes, std::shared_ptr<QPDF> libqpdfParse) {
    loadPdfium();
    auto open = std::make_unique<Open>(nullptr, path);
    open->memory = std::move(bytes);
    open->parsed = std::move(libqpdfParse);
    open->fromRewrite = true;
    open->document = pdfium().FPDF_LoadMemDocument64(open->memory.data(), open->memory.size(), nullptr);
    if (!soundForPdfium(open->document)) throw PdfError("Cannot load PDF document " + path);
    open->existingPages = existingPagesWhenFewerThanDeclared(open->document);
    return PdfDocument(std::move(open));
}

PdfDocument PdfDocument::create() {
    loadPdfium();
    FPDF_DOCUMENT document = pdfium().FPDF_CreateNewDocument();
    checkPdfium(document != nullptr, "Cannot create PDF document");
    return PdfDocument(std::make_unique<Open>(document));
}

bool PdfDocument::repaired() const { return open_->repaired; }

bool PdfDocument::fromRewrite() const { return open_->fromRewrite; }

std::shared_ptr<QPDF> PdfDocument::libqpdfParse() const { return open_->parsed; }

const std::string& PdfDocument::path() const { return open_->path; }

FPDF_DOCUMENT PdfDocument::handle() const { return open_->document; }

int PdfDocument::pageCount() const {
    const int count = pdfium().FPDF_GetPageCount(open_->document);
    const int existing = open_->existingPages;
    return existing >= 0 && existing < count ? existing : count;
}

bool PdfDocument::importPages(const PdfDocument& source, const std::vector<int>& pages, int insertAt) {
    if (pages.empty()) return true;
    std::vector<int> indices;
    indices.reserve(pages.size());
    for (int page : pages) indices.push_back(page - 1);
    bool imported = false;
    runOnDeepStack([&] {
        imported = pdfium().FPDF_ImportPagesByIndex(open_->document, source.open_->document, indices.data(),
                                                    indices.size(), insertAt - 1) != 0;
    });
    return imported;
}

bool PdfDocument::canReorderPages() {
    loadPdfium();
    return pdfium().FPDF_MovePages != nullptr;
}

bool PdfDocument::reorderPages(const std::vector<int>& order) {
    if (!pdfium().FPDF_MovePages) return false;
    return pdfium().FPDF_MovePages(open_->document, order.data(), order.size(), 0) != 0;
}

bool PdfDocument::copyViewerPreferences(const PdfDocument& source) {
    return pdfium().FPDF_CopyViewerPreferences(open_->document, source.open_->document) != 0;
}

FS_SIZEF PdfDocument::pageSize(int page) const {
    FpuExceptionsMasked guard;
    FS_SIZEF size{};
    if (page < 1 || page > pageCount() || pdfium().FPDF_GetPageSizeByIndexF(open_->document, page - 1, &size) == 0)
        throw PdfError("Cannot read the size of page " + std::to_string(page) +
                       (open_->path.empty() ? std::string() : " of " + open_->path));
    return size;
}

void PdfDocument::addBlankPage(double width, double height) {
    FPDF_PAGE page = pdfium().FPDFPage_New(open_->document, pageCount(), width, height);
    checkPdfium(page != nullptr, "Cannot add a blank page");
    pdfium().FPDF_ClosePage(page);
}

void PdfDocument::save(const std::function<void(const char*, std::size_t)>& write, SaveMode mode,
                       PdfVersion version) const {
    BlockWriter writer{{}, &write, nullptr};
    const bool saved = saveThrough(open_->document, writer, mode, version);
    if (writer.failure) std::rethrow_exception(writer.failure);
    if (!saved) throw PdfError("Cannot save PDF document");
}

std::string PdfDocument::save(SaveMode mode, PdfVersion version) const {
    std::string bytes;
    save([&bytes](const char* data, std::size_t size) { bytes.append(data, size); }, mode, version);
    return bytes;
}
