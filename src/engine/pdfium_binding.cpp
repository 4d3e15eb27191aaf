#include "engine/pdfium_binding.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>

#include "engine/pdf_error.h"

std::string pdfiumLibraryName = "libpdfium.so";

namespace {

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
std::string systemText(const char* raw, const std::string& subject) {
    std::string text = raw ? raw : "Unknown error";
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

bool pdfiumLoaded() { return libraryHandle != nullptr; }

std::string programFolder() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return "";
    std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.find_last_of('/') + 1);
}

void* loadPdfiumLibrary(const std::string& name) {
    dlerror();
    // A bare name is looked for beside the executable first, as the run path
    // says; spelled out because an interposed dlopen (the sanitizers') does
    // not apply the run path of the program.
    if (name.find('/') == std::string::npos) {
        const std::string besideProgram = programFolder() + name;
        if (::access(besideProgram.c_str(), F_OK) == 0) {
            if (void* handle = dlopen(besideProgram.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        }
    }
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw PdfError(systemText(dlerror(), name) + ": " + name);
    return handle;
}

void* pdfiumProc(const std::string& name) {
    dlerror();
    void* address = dlsym(libraryHandle, name.c_str());
    if (!address) {
        const std::string message = systemText(dlerror(), name) + ": " + name;
        unloadPdfium();
        throw PdfError(message);
    }
    return address;
}

void unloadPdfium() {
    if (!libraryHandle) return;
    if (entries.FPDF_DestroyLibrary) entries.FPDF_DestroyLibrary();
    dlclose(libraryHandle);
    libraryHandle = nullptr;
    entries = PdfiumEntryPoints{};
}

void loadPdfium() {
    if (pdfiumLoaded()) return;
    libraryHandle = loadPdfiumLibrary(pdfiumLibraryName);
    std::size_t count = 0;
    const EntrySlot* table = entryTable(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (table[i].required) {
            *table[i].slot = pdfiumProc(table[i].name);
        } else {
            *table[i].slot = dlsym(libraryHandle, table[i].name);
        }
    }
    entries.FPDF_InitLibrary();
}

const PdfiumEntryPoints& pdfium() { return entries; }

