#include <gtest/gtest.h>

#include "engine/pdf_error.h"
#include "engine/pdfium_binding.h"
#include "engine/pdf_document.h"
#include "support/fixtures.h"

namespace {

class PdfiumBinding : public ::testing::Test {
protected:
    void SetUp() override {
        unloadPdfium();
        saved_ = pdfiumLibraryName;
    }
    void TearDown() override { pdfiumLibraryName = saved_; }
    std::string saved_;
};

std::string createError() {
    try {
        PdfDocument::create();
    } catch (const PdfError& error) {
        return error.what();
    }
    return "";
}

TEST_F(PdfiumBinding, MissingLibraryIsReportedOnEveryOpenAndNothingStaysLoaded) {
    pdfiumLibraryName = "libpdfium_absent.so";
    const std::string expected = "cannot open shared object file: No such file or directory: libpdfium_absent.so";
    EXPECT_EQ(createError(), expected);
    EXPECT_FALSE(pdfiumLoaded());
    EXPECT_EQ(createError(), expected);
}

TEST_F(PdfiumBinding, LibraryLackingAnEntryPointNamesTheFirstMissingOneAndIsReleased) {
    pdfiumLibraryName = fixtures::programFolder() + "/libpdfium_lacking_entry.so";
    EXPECT_EQ(createError(), "undefined symbol: FPDF_DestroyLibrary");
    EXPECT_FALSE(pdfiumLoaded());
}

TEST_F(PdfiumBinding, LoadsOnceAndRetriesAfterAFailure) {
    pdfiumLibraryName = "libpdfium_absent.so";
    EXPECT_NE(createError(), "");
    pdfiumLibraryName = saved_;
    const PdfDocument first = PdfDocument::create();
    EXPECT_TRUE(pdfiumLoaded());
    // A second document must not go back to the loader: a name that cannot load proves it.
    pdfiumLibraryName = "libpdfium_absent.so";
    EXPECT_NO_THROW(PdfDocument::create());
}

TEST_F(PdfiumBinding, PreloadLeavesAFailureToTheFirstDocument) {
    pdfiumLibraryName = "libpdfium_absent.so";
    { const PdfiumPreload preload; }
    EXPECT_FALSE(pdfiumLoaded());
    EXPECT_EQ(createError(), "cannot open shared object file: No such file or directory: libpdfium_absent.so");
}

TEST_F(PdfiumBinding, DocumentMadeWhilePreloadingWaitsForTheWholeBinding) {
    const PdfiumPreload preload;
    const PdfDocument document = PdfDocument::create();
    EXPECT_TRUE(pdfiumLoaded());
    EXPECT_NE(pdfium().FPDFPage_New, nullptr);
}

}  // namespace
