/* Exports FPDF_InitLibrary and nothing else of PDFium's interface. */
void FPDF_InitLibrary(void) {}
