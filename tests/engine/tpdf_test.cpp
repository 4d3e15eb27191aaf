#include <gtest/gtest.h>

#include <sstream>

#include "engine/pdf_error.h"
#include "engine/tpdf.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EPdfError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(TPdf, GuardsNameTheComponent) {
    TPdf pdf("Pdf");
    EXPECT_EQ(errorOf([&] { pdf.PageCount(); }), "Cannot perform this operation on an inactive Pdf component");
    pdf.CreateDocument();
    const std::string active = "Cannot perform this operation on an active Pdf component";
    EXPECT_EQ(errorOf([&] { pdf.setFileName("x.pdf"); }), active);
    EXPECT_EQ(errorOf([&] { pdf.setPassword("x"); }), active);
    EXPECT_EQ(errorOf([&] { pdf.CreateDocument(); }), active);
    pdf.setActive(false);
    EXPECT_FALSE(pdf.Active());
    pdf.setActive(false);  // inactive stays inactive, no error
}

TEST(TPdf, OpenFailuresCarryPdfiumTexts) {
    TempDir dir;
    fixtures::writeFile(dir.file("garbage.pdf"), "this is not a PDF at all");
    fixtures::writeMarkedPdf(dir.file("truncated.pdf"), "A", 3);
    const std::string whole = fixtures::readFile(dir.file("truncated.pdf"));
    fixtures::writeFile(dir.file("truncated.pdf"), whole.substr(0, 40));
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword("s3cret"));

    struct Case {
        std::string file, password, message;
    } cases[] = {
        {"missing.pdf", "", "File not found or could not be opened"},
        {"garbage.pdf", "", "File not in PDF format or corrupted"},
        {"truncated.pdf", "", "File not in PDF format or corrupted"},
        {"locked.pdf", "", "Password required or incorrect password"},
        {"locked.pdf", "wrong", "Password required or incorrect password"},
    };
    for (const Case& c : cases) {
        TPdf pdf("Pdf");
        pdf.setFileName(dir.file(c.file));
        pdf.setPassword(c.password);
        EXPECT_EQ(errorOf([&] { pdf.setActive(true); }), c.message) << c.file;
        EXPECT_FALSE(pdf.Active());
        EXPECT_EQ(pdf.FileName(), dir.file(c.file));
    }
    TPdf pdf("Pdf");
    pdf.setFileName(dir.file("locked.pdf"));
    pdf.setPassword("s3cret");
    pdf.setActive(true);
    EXPECT_EQ(pdf.PageCount(), 2);
}

TEST(TPdf, ActivatingTwiceKeepsTheOpenDocument) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 1);
    TPdf pdf("Pdf");
    pdf.setFileName(dir.file("a.pdf"));
    pdf.setActive(true);
    FPDF_DOCUMENT handle = pdf.Handle();
    pdf.setActive(true);
    EXPECT_EQ(pdf.Handle(), handle);
}

TEST(TPdf, ImportAppendsTheNamedPageAndRefusesPagesBeyondTheSource) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
    fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
    TPdf a("Pdf"), b("Pdf2"), out("PdfNew");
    a.setFileName(dir.file("a.pdf"));
    b.setFileName(dir.file("b.pdf"));
    out.CreateDocument();
    EXPECT_TRUE(out.ImportPages(a, "3", out.PageCount() + 1));
    EXPECT_TRUE(a.Active()) << "an inactive source is opened and stays open";
    EXPECT_FALSE(out.ImportPages(b, "3", out.PageCount() + 1));
    EXPECT_TRUE(out.ImportPageList(b, {2, 1, 2}, out.PageCount() + 1));
    EXPECT_EQ(out.PageCount(), 4);
    out.SaveAs(dir.file("out.pdf"), TSaveOption::saNone, TPdfVersion::pvUnknown);
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf")), "A3 B2 B1 B2");
}

TEST(TPdf, SaveReplacesAFileAndLeavesNothingBehindOnFailure) {
    TempDir dir;
    fixtures::writeFile(dir.file("out.pdf"), "old contents");
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
    TPdf a("Pdf"), out("PdfNew");
    a.setFileName(dir.file("a.pdf"));
    out.CreateDocument();
    out.ImportPages(a, "1-2", 1);
    EXPECT_TRUE(out.SaveAs(dir.file("out.pdf"), TSaveOption::saNone, TPdfVersion::pvUnknown));
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf")), "A1 A2");

    const std::string missing = dir.file("no such folder/out.pdf");
    EXPECT_EQ(errorOf([&] { out.SaveAs(missing, TSaveOption::saNone, TPdfVersion::pvUnknown); }),
              "Cannot create file \"" + missing + "\". No such file or directory");
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"a.pdf", "out.pdf"}));

    std::ostringstream stream;
    EXPECT_TRUE(out.SaveAs(stream, TSaveOption::saNone, TPdfVersion::pv17));
    EXPECT_EQ(stream.str().substr(0, 8), "%PDF-1.7");
}

}  // namespace
