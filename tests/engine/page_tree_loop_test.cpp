#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "engine/page_tree_check.h"
#include "engine/pdf_error.h"
#include "engine/tpdf.h"
#include "support/damaged_pdfs.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

const std::string Corrupted = "File not in PDF format or corrupted";

// One page without /MediaBox, /CropBox or /Rotate of its own: a reader looks
// them up along the /Parent chain that pageParent starts. Object 3 is the page.
std::string onePageWithParent(const std::string& pageParent, const std::string& treeParent = "",
                              const std::string& fourth = "") {
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>",
                                        "<< /Type /Pages /Kids [3 0 R] /Count 1" + treeParent + " >>",
                                        "<< /Type /Page /Parent " + pageParent + " >>"};
    if (!fourth.empty()) objects.push_back(fourth);
    return fixtures::assemblePdf(objects);
}

// A sound three-page file damaged as a fuzzer left it: a second definition of
// the page tree root, after the last object and cut short, makes it a page
// whose /Parent is itself. The cross-reference table points nowhere, so a
// reader rebuilds it from the objects it finds and takes the later definition.
std::string rootRedefinedAsOwnParent() {
    std::string pdf = fixtures::handMadePdf("A", 3);
    pdf.insert(pdf.find("xref\n"), "2 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 20 re f\nendobj\n");
    const std::size_t table = pdf.find("xref\n");
    for (std::size_t at = pdf.find(" 00000 n ", table); at != std::string::npos; at = pdf.find(" 00000 n ", at + 1))
        pdf.replace(at - 10, 10, "0000000003");
    return pdf;
}

// qpdf gives up on an /Encrypt entry that is not a dictionary; PDFium reads
// the file as not encrypted.
std::string encryptNotADictionary() {
    std::string pdf = fixtures::handMadePdf("A", 3);
    pdf.replace(pdf.rfind("/Root 1 0 R"), 11, "/Root 1 0 R /Encrypt 5");
    return pdf;
}

std::string errorOpening(TPdf& pdf) {
    try {
        pdf.setActive(true);
    } catch (const EPdfError& error) {
        return error.what();
    }
    return "opened, " + std::to_string(pdf.PageCount()) + " pages";
}

// Copying a page climbs its /Parent chain; a looping chain must be refused at
// opening, before any copy, and quickly.
TEST(PageTreeLoop, LoopingParentChainsAreRefusedAtOpeningOthersOpenAsBefore) {
    TempDir dir;
    fixtures::writeFile(dir.file("own-parent.pdf"), onePageWithParent("3 0 R"));
    fixtures::writeFile(dir.file("two-level-loop.pdf"),
                        onePageWithParent("2 0 R", " /Parent 4 0 R",
                                          "<< /Type /Pages /Kids [2 0 R] /Count 1 /Parent 2 0 R >>"));
    fixtures::writeFile(dir.file("rebuilt-root-own-parent.pdf"), rootRedefinedAsOwnParent());
    fixtures::writeMarkedPdf(dir.file("sound.pdf"), "A", 3);
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword("s3cret"));
    fixtures::writeFile(dir.file("encrypt-not-a-dictionary.pdf"), encryptNotADictionary());
    // /Parent links of another kind and names that only start with /Parent,
    // in a file damaged enough to be searched byte by byte.
    std::string outlined = fixtures::assemblePdf(
        {"<< /Type /Catalog /Pages 2 0 R /Outlines 4 0 R /StructTreeRoot << /ParentTree 5 0 R >> >>",
         "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /StructParents 0 >>",
         "<< /Type /Outlines /First 6 0 R /Last 6 0 R /Count 1 >>", "<< /Nums [] >>",
         "<< /Title (One) /Parent 4 0 R /Dest [3 0 R /Fit] >>"});
    outlined.replace(outlined.rfind("startxref\n") + 10, 3, "999");
    fixtures::writeFile(dir.file("outline-damaged-xref.pdf"), outlined);

    struct Case {
        std::string file, password, outcome;
    } cases[] = {
        {"own-parent.pdf", "", Corrupted},
        {"two-level-loop.pdf", "", Corrupted},
        {"rebuilt-root-own-parent.pdf", "", Corrupted},
        {"sound.pdf", "", "opened, 3 pages"},
        {"locked.pdf", "s3cret", "opened, 2 pages"},
        {"encrypt-not-a-dictionary.pdf", "", "opened, 3 pages"},
        {"outline-damaged-xref.pdf", "", "opened, 1 pages"},
    };
    for (const Case& c : cases) {
        TPdf pdf("Pdf");
        pdf.setFileName(dir.file(c.file));
        pdf.setPassword(c.password);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(errorOpening(pdf), c.outcome) << c.file;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.file;
        EXPECT_EQ(pdf.Active(), c.outcome != Corrupted) << c.file;
        if (!pdf.Active()) continue;
        // What opens copies every page.
        TPdf copy("PdfNew");
        copy.CreateDocument();
        std::vector<int> pages;
        for (int page = 1; page <= pdf.PageCount(); ++page) pages.push_back(page);
        EXPECT_TRUE(copy.ImportPageList(pdf, pages, 1)) << c.file;
        EXPECT_EQ(copy.PageCount(), pdf.PageCount()) << c.file;
    }
}

// The verdicts behind the refusal, including the file no reader can read
// and a chain too deep for any real tree.
TEST(PageTreeLoop, CheckTellsLoopsFromSoundAndUnreadableFiles) {
    TempDir dir;
    fixtures::writeFile(dir.file("own-parent.pdf"), onePageWithParent("3 0 R"));
    fixtures::writeFile(dir.file("garbage.pdf"), "this is not a PDF at all");
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword("s3cret"));
    fixtures::writeFile(dir.file("encrypt-not-a-dictionary.pdf"), encryptNotADictionary());
    // Page 3 climbs through 20,001 distinct /Pages nodes that end nowhere.
    std::vector<std::string> deep = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                     "<< /Type /Page /Parent 4 0 R >>"};
    for (int node = 4; node < 4 + 20001; ++node)
        deep.push_back("<< /Type /Pages /Count 1 /Parent " + std::to_string(node + 1) + " 0 R >>");
    fixtures::writeFile(dir.file("deep.pdf"), fixtures::assemblePdf(deep));

    struct Case {
        std::string file, password;
        TPageTreeVerdict verdict;
    } cases[] = {
        {"own-parent.pdf", "", TPageTreeVerdict::ptParentLoop},
        {"deep.pdf", "", TPageTreeVerdict::ptParentLoop},
        {"locked.pdf", "s3cret", TPageTreeVerdict::ptSound},
        {"locked.pdf", "wrong", TPageTreeVerdict::ptUnreadable},
        {"garbage.pdf", "", TPageTreeVerdict::ptUnreadable},
        {"encrypt-not-a-dictionary.pdf", "", TPageTreeVerdict::ptUnreadable},
        {"missing.pdf", "", TPageTreeVerdict::ptUnreadable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckPageTree(dir.file(c.file), c.password), c.verdict) << c.file << " / " << c.password;
}

}  // namespace
