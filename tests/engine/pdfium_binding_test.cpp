#include <gtest/gtest.h>

#include "engine/pdf_error.h"
#include "engine/pdfium_binding.h"
#include "engine/tpdf.h"
#include "support/fixtures.h"

namespace {

class PdfiumBinding : public ::testing::Test {
protected:
    void SetUp() override {
        UnloadPdfium();
        saved_ = PdfiumLibraryName;
    }
    void TearDown() override { PdfiumLibraryName = saved_; }
    std::string saved_;
};

std::string createError() {
    TPdf pdf("PdfNew");
    try {
        pdf.CreateDocument();
    } catch (const EPdfError& error) {
        return error.what();
    }
    return "";
}

TEST_F(PdfiumBinding, MissingLibraryIsReportedOnEveryOpenAndNothingStaysLoaded) {
    PdfiumLibraryName = "libpdfium_absent.so";
    const std::string expected = "cannot open shared object file: No such file or directory: libpdfium_absent.so";
    EXPECT_EQ(createError(), expected);
    EXPECT_FALSE(PdfiumLoaded());
    EXPECT_EQ(createError(), expected);
}

TEST_F(PdfiumBinding, LibraryLackingAnEntryPointNamesTheFirstMissingOneAndIsReleased) {
    PdfiumLibraryName = fixtures::programFolder() + "/libpdfium_lacking_entry.so";
    EXPECT_EQ(createError(), "undefined symbol: FPDF_DestroyLibrary");
    EXPECT_FALSE(PdfiumLoaded());
}

TEST_F(PdfiumBinding, LoadsOnceAndRetriesAfterAFailure) {
    PdfiumLibraryName = "libpdfium_absent.so";
    EXPECT_NE(createError(), "");
    PdfiumLibraryName = saved_;
    TPdf first("Pdf");
    first.CreateDocument();
    EXPECT_TRUE(PdfiumLoaded());
    // A second object must not go back to the loader: a name that cannot load proves it.
    PdfiumLibraryName = "libpdfium_absent.so";
    TPdf second("Pdf2");
    EXPECT_NO_THROW(second.CreateDocument());
}

}  // namespace
