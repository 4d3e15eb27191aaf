#include <gtest/gtest.h>

#include <sstream>

#include "engine/password_search.h"
#include "engine/pdf_document.h"
#include "engine/pdf_error.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const PdfError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(PdfDocument, OpenFailuresCarryPdfiumTexts) {
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
    for (const Case& c : cases)
        EXPECT_EQ(errorOf([&] { PdfDocument::open(dir.file(c.file), c.password); }), c.message) << c.file;
    const PdfDocument opened = PdfDocument::open(dir.file("locked.pdf"), "s3cret");
    EXPECT_EQ(opened.pageCount(), 2);
    EXPECT_EQ(opened.path(), dir.file("locked.pdf"));
}

// No password first, then each candidate while the document asks for one;
// any other failure ends the search at once.
TEST(PdfDocument, PasswordSearchTriesCandidatesInTurn) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "A", 1);
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("right"));
    struct Case {
        std::string file;
        std::vector<std::string> candidates;
        std::string outcome;
    } cases[] = {
        {"plain.pdf", {"right"}, "opened with ''"},
        {"locked.pdf", {"wrong", "right", "later"}, "opened with 'right'"},
        {"locked.pdf", {"wrong"}, "Password required or incorrect password"},
        {"locked.pdf", {}, "Password required or incorrect password"},
        {"missing.pdf", {"right"}, "File not found or could not be opened"},
    };
    for (const Case& c : cases) {
        std::string outcome;
        try {
            const UnlockedDocument unlocked = openWithPasswords(dir.file(c.file), c.candidates);
            outcome = "opened with '" + unlocked.password + "'";
        } catch (const PdfError& error) {
            outcome = error.what();
        }
        EXPECT_EQ(outcome, c.outcome) << c.file;
    }

    int asked = 0;
    EXPECT_EQ(errorOf([&] {
                  openWithPasswords(dir.file("missing.pdf"), [&]() -> std::optional<std::string> {
                      ++asked;
                      return "right";
                  });
              }),
              "File not found or could not be opened");
    EXPECT_EQ(asked, 0) << "a file that is not there asks for no password";
}

TEST(PdfDocument, ImportCopiesTheNamedPagesAndRefusesPagesBeyondTheSource) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
    fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
    const PdfDocument a = PdfDocument::open(dir.file("a.pdf"));
    const PdfDocument b = PdfDocument::open(dir.file("b.pdf"));
    PdfDocument out = PdfDocument::create();
    EXPECT_EQ(out.path(), "");
    EXPECT_TRUE(out.importPages(a, {3}, out.pageCount() + 1));
    EXPECT_TRUE(out.importPages(b, {2, 1, 2}, out.pageCount() + 1));
    EXPECT_TRUE(out.importPages(b, {}, 1));
    EXPECT_EQ(out.pageCount(), 4);

    // A moved document goes on as the same one.
    const PdfDocument moved = std::move(out);
    fixtures::writeFile(dir.file("out.pdf"), moved.save());
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf")), "A3 B2 B1 B2");

    PdfDocument refused = PdfDocument::create();
    EXPECT_FALSE(refused.importPages(b, {3}, 1));
}

TEST(PdfDocument, SavesIntoMemoryWithTheFileVersionAsked) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
    const PdfDocument a = PdfDocument::open(dir.file("a.pdf"));
    PdfDocument out = PdfDocument::create();
    out.importPages(a, {1, 2}, 1);
    fixtures::writeFile(dir.file("out.pdf"), out.save());
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf")), "A1 A2");
    EXPECT_EQ(out.save(SaveMode::Copy, PdfVersion::V17).substr(0, 8), "%PDF-1.7");
}

}  // namespace
