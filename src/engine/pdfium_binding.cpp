#include "engine/pdfium_binding.h"

#include <cstring>
#include <filesystem>
#include <mutex>

#include "base/platform_library.h"
#include "engine/pdf_error.h"

#ifdef _WIN32
std::string pdfiumLibraryName = "pdfium.dll";
#else
std::string pdfiumLibraryName = "libpdfium.so";
#endif

namespace {

// Held while the library is loaded, resolved and initialised or released, so
// that a load started ahead on another thread (PdfiumPreload) is either
// finished or not begun when a document asks for the library.
std::recursive_mutex bindingMutex;
void* libraryHandle = nullptr;
PdfiumEntryPoints entries{};

struct EntrySlot {
    const char* name;
    void** slot;
    bool required;
};

template <typename Fn>
void** slotOf(Fn& pointer) {
    return reinterpret_cast<void**>(&pointer);
}

// Table order decides which missing entry point is reported first.
const EntrySlot* entryTable(std::size_t& count) {
    static const EntrySlot table[] = {
        {"FPDF_InitLibrary", slotOf(entries.FPDF_InitLibrary), true},
        {"FPDF_DestroyLibrary", slotOf(entries.FPDF_DestroyLibrary), true},
        {"FPDF_LoadDocument", slotOf(entries.FPDF_LoadDocument), true},
        {"FPDF_CreateNewDocument", slotOf(entries.FPDF_CreateNewDocument), true},
        {"FPDF_CloseDocument", slotOf(entries.FPDF_CloseDocument), true},
        {"FPDF_GetPageCount", slotOf(entries.FPDF_GetPageCount), true},
        {"FPDF_GetLastError", slotOf(entries.FPDF_GetLastError), true},
        {"FPDF_LoadPage", slotOf(entries.FPDF_LoadPage), true},
        {"FPDF_ClosePage", slotOf(entries.FPDF_ClosePage), true},
        {"FPDF_ImportPages", slotOf(entries.FPDF_ImportPages), true},
        {"FPDF_ImportPagesByIndex", slotOf(entries.FPDF_ImportPagesByIndex), true},
        {"FPDF_CopyViewerPreferences", slotOf(entries.FPDF_CopyViewerPreferences), true},
        {"FPDF_SaveAsCopy", slotOf(entries.FPDF_SaveAsCopy), true},
        {"FPDF_SaveWithVersion", slotOf(entries.FPDF_SaveWithVersion), true},
        {"FPDF_GetPageSizeByIndexF", slotOf(entries.FPDF_GetPageSizeByIndexF), true},
        {"FPDF_LoadMemDocument64", slotOf(entries.FPDF_LoadMemDocument64), true},
        {"FPDF_DocumentHasValidCrossReferenceTable", slotOf(entries.FPDF_DocumentHasValidCrossReferenceTable), true},
        {"FPDFBitmap_CreateEx", slotOf(entries.FPDFBitmap_CreateEx), false},
        {"FPDFBitmap_FillRect", slotOf(entries.FPDFBitmap_FillRect), false},
        {"FPDFBitmap_Destroy", slotOf(entries.FPDFBitmap_Destroy), false},
        {"FPDF_RenderPageBitmap", slotOf(entries.FPDF_RenderPageBitmap), false},
        {"FPDF_GetPageWidthF", slotOf(entries.FPDF_GetPageWidthF), false},
        {"FPDF_GetPageHeightF", slotOf(entries.FPDF_GetPageHeightF), false},
        {"FPDF_GetPageLabel", slotOf(entries.FPDF_GetPageLabel), false},
        {"FPDFPage_New", slotOf(entries.FPDFPage_New), true},
        {"FPDF_MovePages", slotOf(entries.FPDF_MovePages), false},
    };
    count = sizeof table / sizeof table[0];
    return table;
}

// The loader's text without the file name it starts with and without the name
// it may end with, trimmed of trailing blanks, line breaks and periods, so that
// the message reads: system text, ": ", name.
std::string systemText(std::string text, const std::string& subject) {
    const std::string lead = subject + ": ";
    if (text.compare(0, lead.size(), lead) == 0) text.erase(0, lead.size());
    const std::size_t colon = text.find(": ");
    if (colon != std::string::npos && text.compare(0, colon, subject) != 0) {
        // "path: reason" when the loader names the full path of the library.
        const std::string head = text.substr(0, colon);
        if (head.find('/') != std::string::npos) text.erase(0, colon + 2);
    }
    const std::string tail = ": " + subject;
    if (text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
        text.erase(text.size() - tail.size());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
        text.pop_back();
    return text;
}

}  // namespace

bool pdfiumLoaded() {
    const std::lock_guard<std::recursive_mutex> lock(bindingMutex);
    return libraryHandle != nullptr;
}

void* loadPdfiumLibrary(const std::string& name) {
    std::string reason;
    // A bare name is looked for beside the executable first, as the run path
    // says; spelled out because an interposed dlopen (the sanitizers') does
    // not apply the run path of the program.
    if (name.find_first_of("/\\") == std::string::npos) {
        const std::string besideProgram = programFolder() + name;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::u8path(besideProgram), error)) {
            if (void* handle = openLibrary(besideProgram, reason)) return handle;
        }
    }
    void* handle = openLibrary(name, reason);
    if (!handle) throw PdfError(systemText(reason, name) + ": " + name);
    return handle;
}

void* pdfiumProc(const std::string& name) {
    std::string reason;
    void* address = librarySymbol(libraryHandle, name, reason);
    if (!address) {
        const std::string message = systemText(reason, name) + ": " + name;
        unloadPdfium();
        throw PdfError(message);
    }
    return address;
}

void unloadPdfium() {
    const std::lock_guard<std::recursive_mutex> lock(bindingMutex);
    if (!libraryHandle) return;
    if (entries.FPDF_DestroyLibrary) entries.FPDF_DestroyLibrary();
    closeLibrary(libraryHandle);
    libraryHandle = nullptr;
    entries = PdfiumEntryPoints{};
}

void loadPdfium() {
    const std::lock_guard<std::recursive_mutex> lock(bindingMutex);
    if (libraryHandle) return;
    libraryHandle = loadPdfiumLibrary(pdfiumLibraryName);
    std::size_t count = 0;
    const EntrySlot* table = entryTable(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (table[i].required) {
            *table[i].slot = pdfiumProc(table[i].name);
        } else {
            std::string absent;
            *table[i].slot = librarySymbol(libraryHandle, table[i].name, absent);
        }
    }
    entries.FPDF_InitLibrary();
}

const PdfiumEntryPoints& pdfium() { return entries; }

PdfiumPreload::PdfiumPreload()
    : thread_([] {
          try {
              loadPdfium();
          } catch (...) {
              // Reported by the first document that needs the library.
          }
      }) {}

PdfiumPreload::~PdfiumPreload() { thread_.join(); }

