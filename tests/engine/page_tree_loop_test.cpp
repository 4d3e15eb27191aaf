#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "engine/page_tree_check.h"
#include "engine/pdf_error.h"
#include "engine/pdf_document.h"
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

// The document when it opens, and what happened.
std::optional<PdfDocument> opening(const std::string& path, const std::string& password, std::string& outcome) {
    try {
        PdfDocument pdf = PdfDocument::open(path, password);
        outcome = "opened, " + std::to_string(pdf.pageCount()) + " pages";
        return pdf;
    } catch (const PdfError& error) {
        outcome = error.what();
        return std::nullopt;
    }
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
        const auto start = std::chrono::steady_clock::now();
        std::string outcome;
        const std::optional<PdfDocument> pdf = opening(dir.file(c.file), c.password, outcome);
        EXPECT_EQ(outcome, c.outcome) << c.file;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.file;
        if (!pdf) continue;
        // What opens copies every page.
        PdfDocument copy = PdfDocument::create();
        std::vector<int> pages;
        for (int page = 1; page <= pdf->pageCount(); ++page) pages.push_back(page);
        EXPECT_TRUE(copy.importPages(*pdf, pages, 1)) << c.file;
        EXPECT_EQ(copy.pageCount(), pdf->pageCount()) << c.file;
    }
}

// A tree rebuilt by an update: the page's old parent 3 becomes the root and
// the old root 2 its kid, so old and new definitions together link 2 and 3 in
// a circle, while the definitions in force form a sound tree.
std::string updatedTree() {
    std::string pdf = fixtures::assemblePdf({"<< /Type /Catalog /Pages 2 0 R >>",
                                             "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                             "<< /Type /Pages /Kids [4 0 R] /Count 1 /Parent 2 0 R >>",
                                             "<< /Type /Page /Parent 3 0 R /MediaBox [0 0 200 200] >>"});
    const std::string previous = pdf.substr(pdf.rfind("startxref\n") + 10, pdf.rfind("\n%%EOF") - pdf.rfind("startxref\n") - 10);
    const std::vector<std::pair<int, std::string>> changed = {
        {1, "<< /Type /Catalog /Pages 3 0 R >>"},
        {2, "<< /Type /Pages /Kids [4 0 R] /Count 1 /Parent 3 0 R >>"},
        {3, "<< /Type /Pages /Kids [2 0 R] /Count 1 >>"},
        {4, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>"}};
    std::string table = "xref\n1 4\n";
    for (const auto& [number, body] : changed) {
        const std::string offset = std::to_string(pdf.size());
        table += std::string(10 - offset.size(), '0') + offset + " 00000 n \n";
        pdf += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }
    const std::string start = std::to_string(pdf.size());
    pdf += table + "trailer\n<< /Size 5 /Root 1 0 R /Prev " + previous + " >>\nstartxref\n" + start + "\n%%EOF\n";
    return pdf;
}

// The check behind the refusal, including files no reader can read and a
// chain too deep for any real tree.
TEST(PageTreeLoop, CheckFindsLoopsAndDeepChainsOnly) {
    TempDir dir;
    fixtures::writeFile(dir.file("own-parent.pdf"), onePageWithParent("3 0 R"));
    fixtures::writeFile(dir.file("garbage.pdf"), "this is not a PDF at all");
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword("s3cret"));
    fixtures::writeFile(dir.file("encrypt-not-a-dictionary.pdf"), encryptNotADictionary());
    fixtures::writeFile(dir.file("updated-tree.pdf"), updatedTree());
    // Page 3 climbs through 20,001 distinct /Pages nodes that end nowhere.
    std::vector<std::string> deep = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                     "<< /Type /Page /Parent 4 0 R >>"};
    for (int node = 4; node < 4 + 20001; ++node)
        deep.push_back("<< /Type /Pages /Count 1 /Parent " + std::to_string(node + 1) + " 0 R >>");
    fixtures::writeFile(dir.file("deep.pdf"), fixtures::assemblePdf(deep));

    struct Case {
        std::string file, password;
        bool loops;
    } cases[] = {
        {"own-parent.pdf", "", true},
        {"deep.pdf", "", true},
        {"updated-tree.pdf", "", false},
        {"locked.pdf", "s3cret", false},
        {"locked.pdf", "wrong", false},
        {"garbage.pdf", "", false},
        {"encrypt-not-a-dictionary.pdf", "", false},
        {"missing.pdf", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parentChainLoops(dir.file(c.file), c.password), c.loops) << c.file << " / " << c.password;
}

}  // namespace

namespace {

// The file at path rewritten with its objects packed in object streams.
void packIntoObjectStreams(const std::string& path) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(path.c_str());
    const std::string packed = path + ".packed";  // the writer keeps the name's pointer until it writes
    QPDFWriter writer(pdf, packed.c_str());
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    std::rename(packed.c_str(), path.c_str());
}

}  // namespace

// A check that had to parse the file with libqpdf hands its parse on, so that
// the structure is not parsed again; a file it refuses hands nothing on.
TEST(PageTreeLoop, TheCheckHandsOnTheParseItMade) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "A", 2);
    fixtures::writeMarkedPdf(dir.file("packed.pdf"), "A", 2);
    packIntoObjectStreams(dir.file("packed.pdf"));
    fixtures::writeFile(dir.file("looping.pdf"), onePageWithParent("3 0 R"));
    packIntoObjectStreams(dir.file("looping.pdf"));

    struct Case {
        std::string file;
        bool loops, parsed;
    } cases[] = {{"plain.pdf", false, false}, {"packed.pdf", false, true}, {"looping.pdf", true, false}};
    for (const Case& c : cases) {
        std::shared_ptr<QPDF> parsed;
        EXPECT_EQ(parentChainLoops(dir.file(c.file), "", &parsed), c.loops) << c.file;
        EXPECT_EQ(parsed != nullptr, c.parsed) << c.file;
        if (parsed) {
            EXPECT_EQ(parsed->getAllPages().size(), 2u) << c.file;
        }
    }
    EXPECT_NE(PdfDocument::open(dir.file("packed.pdf")).libqpdfParse(), nullptr);
}
