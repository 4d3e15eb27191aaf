#pragma once
#include <cstddef>
#include <string>
#include <thread>

#include "base/platform_library.h"  // programFolder(), where the library is expected first
#include "engine/pdfium_api.h"

// Run-time binding of the PDFium library: loaded, resolved and initialised on
// the first document opened or created, then kept until the process ends.

// File name handed to the loader, without a folder, so that the loader looks
// beside the executable first (the program's run path is $ORIGIN).
extern std::string pdfiumLibraryName;

bool pdfiumLoaded();
void loadPdfium();
void* loadPdfiumLibrary(const std::string& name);
void* pdfiumProc(const std::string& name);
void unloadPdfium();

// Loads the library on a thread of its own while the caller goes on with
// other start-up work; the first document then finds it ready. A library that
// cannot be loaded is reported by that document, as without the preload.
// The destructor waits for the load to end.
class PdfiumPreload {
public:
    PdfiumPreload();
    ~PdfiumPreload();
    PdfiumPreload(const PdfiumPreload&) = delete;
    PdfiumPreload& operator=(const PdfiumPreload&) = delete;

private:
    std::thread thread_;
};

// Entry points, filled by loadPdfium in this order.
struct PdfiumEntryPoints {
    void (*FPDF_InitLibrary)();
    void (*FPDF_DestroyLibrary)();
    FPDF_DOCUMENT (*FPDF_LoadDocument)(const char* path, const char* password);
    FPDF_DOCUMENT (*FPDF_CreateNewDocument)();
    void (*FPDF_CloseDocument)(FPDF_DOCUMENT);
    int (*FPDF_GetPageCount)(FPDF_DOCUMENT);
    unsigned long (*FPDF_GetLastError)();
    FPDF_PAGE (*FPDF_LoadPage)(FPDF_DOCUMENT, int index);
    void (*FPDF_ClosePage)(FPDF_PAGE);
    FPDF_BOOL (*FPDF_ImportPages)(FPDF_DOCUMENT dest, FPDF_DOCUMENT src, const char* range, int index);
    FPDF_BOOL (*FPDF_ImportPagesByIndex)(FPDF_DOCUMENT dest, FPDF_DOCUMENT src, const int* indices,
                                         unsigned long length, int index);
    FPDF_BOOL (*FPDF_CopyViewerPreferences)(FPDF_DOCUMENT dest, FPDF_DOCUMENT src);
    FPDF_BOOL (*FPDF_SaveAsCopy)(FPDF_DOCUMENT, FPDF_FILEWRITE*, FPDF_DWORD flags);
    FPDF_BOOL (*FPDF_SaveWithVersion)(FPDF_DOCUMENT, FPDF_FILEWRITE*, FPDF_DWORD flags, int version);
    FPDF_BOOL (*FPDF_GetPageSizeByIndexF)(FPDF_DOCUMENT, int index, FS_SIZEF* size);
    FPDF_DOCUMENT (*FPDF_LoadMemDocument64)(const void* data, std::size_t size, const char* password);
    FPDF_BOOL (*FPDF_DocumentHasValidCrossReferenceTable)(FPDF_DOCUMENT);
    // Rendering, for the page pictures; optional, so that a build without it
    // still runs the jobs (null then).
    FPDF_BITMAP (*FPDFBitmap_CreateEx)(int width, int height, int format, void* firstScan, int stride);
    // Declared without its result, which newer builds add and older ones lack.
    void (*FPDFBitmap_FillRect)(FPDF_BITMAP, int left, int top, int width, int height, FPDF_DWORD color);
    void (*FPDFBitmap_Destroy)(FPDF_BITMAP);
    void (*FPDF_RenderPageBitmap)(FPDF_BITMAP, FPDF_PAGE, int startX, int startY, int sizeX, int sizeY, int rotate,
                                  int flags);
    float (*FPDF_GetPageWidthF)(FPDF_PAGE);
    float (*FPDF_GetPageHeightF)(FPDF_PAGE);
    unsigned long (*FPDF_GetPageLabel)(FPDF_DOCUMENT, int index, void* buffer, unsigned long length);
    // A blank page, for the padding of a merge.
    FPDF_PAGE (*FPDFPage_New)(FPDF_DOCUMENT, int index, double width, double height);
    // Puts pages in another order; optional (null in builds without it).
    FPDF_BOOL (*FPDF_MovePages)(FPDF_DOCUMENT, const int* indices, unsigned long length, int destination);
};

const PdfiumEntryPoints& pdfium();

