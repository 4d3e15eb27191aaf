#include "engine/tpdf.h"

#include <cerrno>
#include <cfenv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/page_tree_check.h"
#include "engine/pdf_error.h"
#include "engine/pdfium_binding.h"

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

// PDFium's write record with the sink its callback appends to.
struct BlockWriter {
    FPDF_FILEWRITE record;
    std::ostream* stream;
    std::FILE* file;
};

int writeBlock(FPDF_FILEWRITE* self, const void* data, unsigned long size) {
    auto* writer = reinterpret_cast<BlockWriter*>(self);
    if (writer->file) return std::fwrite(data, 1, size, writer->file) == size ? 1 : 0;
    try {
        writer->stream->write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        return writer->stream->good() ? 1 : 0;
    } catch (...) {
        return 0;  // nothing may escape through PDFium's frames
    }
}

bool saveThrough(FPDF_DOCUMENT document, BlockWriter& writer, TSaveOption option, TPdfVersion version) {
    writer.record.version = 1;
    writer.record.WriteBlock = writeBlock;
    const auto flags = static_cast<FPDF_DWORD>(option);
    if (version == TPdfVersion::pvUnknown) return Pdfium().FPDF_SaveAsCopy(document, &writer.record, flags) != 0;
    const int fileVersion = 9 + static_cast<int>(version);  // pv10 .. pv17 -> 10 .. 17
    return Pdfium().FPDF_SaveWithVersion(document, &writer.record, flags, fileVersion) != 0;
}

std::string fullName(const std::string& fileName) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, ignored);
    return (absolute.empty() ? std::filesystem::path(fileName) : absolute).lexically_normal().string();
}

[[noreturn]] void raiseCannotCreate(const std::string& fileName, int error) {
    throw EPdfError("Cannot create file \"" + fullName(fileName) + "\". " + std::strerror(error));
}

mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string PdfiumErrorText(unsigned long code) {
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

std::string PdfiumErrorText() {
    if (!PdfiumLoaded()) return "";
    return PdfiumErrorText(Pdfium().FPDF_GetLastError());
}

void CheckPdfium(bool success, const std::string& fallback) {
    if (success) return;
    const std::string text = PdfiumErrorText();
    throw EPdfError(text.empty() ? fallback : text);
}

TPdf::TPdf(std::string name) : FName(std::move(name)) {}

TPdf::~TPdf() {
    if (Active()) CloseDocument();
}

void TPdf::CheckActive() const {
    if (!Active()) throw EPdfError("Cannot perform this operation on an inactive " + FName + " component");
}

void TPdf::CheckInactive() const {
    if (Active()) throw EPdfError("Cannot perform this operation on an active " + FName + " component");
}

void TPdf::setFileName(const std::string& fileName) {
    CheckInactive();
    FFileName = fileName;
}

void TPdf::setPassword(const std::string& password) {
    CheckInactive();
    FPassword = password;
}

void TPdf::setFormFill(bool formFill) {
    CheckInactive();
    FFormFill = formFill;
}

void TPdf::setActive(bool active) {
    if (active == Active()) return;
    if (active)
        OpenDocument();
    else
        CloseDocument();
}

int TPdf::PageCount() const {
    CheckActive();
    const int count = Pdfium().FPDF_GetPageCount(FDocument);
    return FExistingPages >= 0 && FExistingPages < count ? FExistingPages : count;
}

void TPdf::OpenDocument() {
    CheckInactive();
    LoadPdfium();
    FBuffer.clear();
    FDocument = Pdfium().FPDF_LoadDocument(FFileName.c_str(), FPassword.c_str());
    CheckPdfium(FDocument != nullptr, "Cannot load PDF document " + FFileName);
    RejectParentLoop();
    CheckDeclaredPages();
    InitFormFill();
    ReloadPage();
}

// PDFium climbs a page's /Parent chain for the inherited entries the page
// lacks (/MediaBox, /CropBox, /Rotate, /Resources) without noticing a chain
// that leads back into itself, and copying such a page never returns. Its
// public functions do not show /Parent, so the file is read again on our side;
// a file that cannot be read that way is left to PDFium as before.
void TPdf::RejectParentLoop() {
    if (!ParentChainLoops(FFileName, FPassword)) return;
    CloseDocument();
    throw EPdfError("File not in PDF format or corrupted");
}

// PDFium takes a page tree's declared count as the page count without
// counting when it lies below its own limit. A document that declares pages
// it does not have would make every job walk through pages that are not
// there: a split into single pages of a file declaring a million pages would
// write a million empty files. The pages that exist are counted instead: all
// of them when the last declared one loads, otherwise up to the first that
// does not (PDFium finds pages in tree order, so the missing ones are the
// last).
void TPdf::CheckDeclaredPages() {
    FExistingPages = -1;
    const int declared = Pdfium().FPDF_GetPageCount(FDocument);
    if (declared <= 0 || PageLoads(declared - 1)) return;
    int present = 0, missing = declared - 1;  // indices known to load and not to load
    if (!PageLoads(0)) {
        FExistingPages = 0;
        return;
    }
    while (missing - present > 1) {
        const int middle = present + (missing - present) / 2;
        (PageLoads(middle) ? present : missing) = middle;
    }
    FExistingPages = present + 1;
}

bool TPdf::PageLoads(int index) const {
    FpuExceptionsMasked guard;
    FPDF_PAGE page = Pdfium().FPDF_LoadPage(FDocument, index);
    if (!page) return false;
    Pdfium().FPDF_ClosePage(page);
    return true;
}

void TPdf::CreateDocument() {
    CheckInactive();
    LoadPdfium();
    FBuffer.clear();
    FExistingPages = -1;
    FDocument = Pdfium().FPDF_CreateNewDocument();
    CheckPdfium(FDocument != nullptr, "Cannot create PDF document");
    InitFormFill();
}

void TPdf::InitFormFill() {
    if (FFormFill) {
        std::memset(&FFormFillInfo.info, 0, sizeof FFormFillInfo.info);
        FFormFillInfo.info.version = PdfiumHasXfa() ? 2 : 1;
        // Nothing here shows pages, runs timers or focuses fields.
        FFormFillInfo.info.FFI_Invalidate = [](FPDF_FORMFILLINFO*, FPDF_PAGE, double, double, double, double) {};
        FFormFillInfo.info.FFI_SetTimer = [](FPDF_FORMFILLINFO*, int, void (*)(int)) { return 0; };
        FFormFillInfo.info.FFI_KillTimer = [](FPDF_FORMFILLINFO*, int) {};
        FFormFillInfo.info.FFI_SetTextFieldFocus = [](FPDF_FORMFILLINFO*, const unsigned short*, FPDF_DWORD,
                                                      FPDF_BOOL) {};
        FFormFillInfo.owner = this;
        FFormHandle = Pdfium().FPDFDOC_InitFormFillEnvironment(FDocument, &FFormFillInfo.info);
        CheckPdfium(FFormHandle != nullptr, "Cannot initialize form fill environment");
        Pdfium().FPDF_SetFormFieldHighlightColor(FFormHandle, 0, 0xFFE4DD);
        Pdfium().FPDF_SetFormFieldHighlightAlpha(FFormHandle, 100);
        Pdfium().FORM_DoDocumentJSAction(FFormHandle);
        Pdfium().FORM_DoDocumentOpenAction(FFormHandle);
    }
    LoadXfaWhenPresent();
}

void TPdf::LoadXfaWhenPresent() {
    if (!PdfiumHasXfa()) return;
    const int formType = Pdfium().FPDF_GetFormType(FDocument);
    if (formType == FORMTYPE_XFA_FULL || formType == FORMTYPE_XFA_FOREGROUND) Pdfium().FPDF_LoadXFA(FDocument);
}

void TPdf::DoneFormFill() {
    if (!FFormHandle) return;
    Pdfium().FPDFDOC_ExitFormFillEnvironment(FFormHandle);
    FFormHandle = nullptr;
}

void TPdf::ClosePage() {
    if (!FPage) return;
    Pdfium().FPDF_ClosePage(FPage);
    FPage = nullptr;
}

void TPdf::CloseDocument() {
    ClosePage();
    if (!FDocument) return;
    if (FFormHandle) {
        Pdfium().FORM_DoDocumentAAction(FFormHandle, FPDFDOC_AACTION_WC);
        DoneFormFill();
    }
    Pdfium().FPDF_CloseDocument(FDocument);
    FDocument = nullptr;
    FBuffer.clear();
}

void TPdf::ReloadPage() {
    FpuExceptionsMasked guard;
    ClosePage();
    CheckActive();
    if (FPageNumber != 0) {
        FPage = Pdfium().FPDF_LoadPage(FDocument, FPageNumber - 1);
        CheckPdfium(FPage != nullptr, "Cannot open page " + std::to_string(FPageNumber));
    }
}

void TPdf::setPageNumber(int pageNumber) {
    if (pageNumber == FPageNumber) return;
    FPageNumber = pageNumber;
    if (Active()) ReloadPage();
}

bool TPdf::ImportPages(TPdf& source, const std::string& range, int pageNumber) {
    CheckActive();
    source.setActive(true);
    ClosePage();
    const bool imported = Pdfium().FPDF_ImportPages(FDocument, source.FDocument, range.c_str(), pageNumber - 1) != 0;
    ReloadPage();
    return imported;
}

bool TPdf::ImportPageList(TPdf& source, const std::vector<int>& pages, int pageNumber) {
    CheckActive();
    source.setActive(true);
    if (pages.empty()) return true;
    ClosePage();
    std::vector<int> indices;
    indices.reserve(pages.size());
    for (int page : pages) indices.push_back(page - 1);
    const bool imported = Pdfium().FPDF_ImportPagesByIndex(FDocument, source.FDocument, indices.data(),
                                                          indices.size(), pageNumber - 1) != 0;
    ReloadPage();
    return imported;
}

bool TPdf::ImportPreferences(TPdf& source) {
    CheckActive();
    source.setActive(true);
    return Pdfium().FPDF_CopyViewerPreferences(FDocument, source.FDocument) != 0;
}

bool TPdf::SaveAs(std::ostream& stream, TSaveOption option, TPdfVersion version) {
    CheckActive();
    BlockWriter writer{{}, &stream, nullptr};
    return saveThrough(FDocument, writer, option, version);
}

bool TPdf::SaveAs(const std::string& fileName, TSaveOption option, TPdfVersion version) {
    CheckActive();
    namespace fs = std::filesystem;
    const fs::path target(fileName);

    struct stat existing {};
    const bool exists = ::stat(fileName.c_str(), &existing) == 0;
    if (exists && (S_ISDIR(existing.st_mode) || (existing.st_mode & 0222) == 0 || ::access(fileName.c_str(), W_OK) != 0))
        raiseCannotCreate(fileName, S_ISDIR(existing.st_mode) ? EISDIR : EACCES);

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) raiseCannotCreate(fileName, errno);
    ::fchmod(descriptor, exists ? (existing.st_mode & 07777) : newFileMode());
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file) {
        const int error = errno;
        ::close(descriptor);
        ::unlink(temporary.c_str());
        raiseCannotCreate(fileName, error);
    }

    BlockWriter writer{{}, nullptr, file};
    const bool written = saveThrough(FDocument, writer, option, version);
    const int writeError = std::ferror(file) ? errno : 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || writeError) {
        const int error = writeError ? writeError : errno;
        ::unlink(temporary.c_str());
        if (!written && !writeError) throw EPdfError("Cannot save PDF document \"" + fullName(fileName) + "\"");
        raiseCannotCreate(fileName, error ? error : EIO);
    }
    if (::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        raiseCannotCreate(fileName, error);
    }
    return true;
}
