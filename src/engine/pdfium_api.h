#pragma once
// The few C signatures of PDFium's public interface that this program calls.
// PDFium is bound at run time, so its headers are not needed.

extern "C" {
typedef struct fpdf_document_t__* FPDF_DOCUMENT;
typedef struct fpdf_page_t__* FPDF_PAGE;
typedef struct fpdf_bitmap_t__* FPDF_BITMAP;
typedef int FPDF_BOOL;
typedef unsigned long FPDF_DWORD;

struct FPDF_FILEWRITE {
    int version;
    int (*WriteBlock)(FPDF_FILEWRITE* self, const void* data, unsigned long size);
};

struct FS_SIZEF {
    float width;
    float height;
};

constexpr unsigned long FPDF_ERR_SUCCESS = 0;

// Bitmap format: 4 bytes a pixel, blue, green, red, alpha.
constexpr int FPDFBitmap_BGRA = 4;
// Render flag: draw the annotations' appearances too.
constexpr int FPDF_ANNOT = 0x01;
}
