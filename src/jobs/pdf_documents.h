#pragma once
#include "engine/tpdf.h"

// The window's three document objects, shared by every job.
struct PdfDocuments {
    TPdf& Pdf;      // the input, or the first mix document
    TPdf& Pdf2;     // the second mix document
    TPdf& PdfNew;   // the output under construction
};
