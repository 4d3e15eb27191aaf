#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "finishing/saved_pdf.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

// A saved document reads back the same (byte for byte, in pieces across its
// blocks, and through libqpdf) whether it stayed in memory (in one block or
// several) or went into a temporary file at some point of the save; that file
// has no name in the folder.
TEST(SavedPdf, ReadsBackTheSameInMemoryAndSpilled) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("in.pdf"), "A", 400);
    const std::string bytes = fixtures::readFile(dir.file("in.pdf"));
    ASSERT_GT(bytes.size(), 64u << 10) << "small pieces fill more than one block";
    const std::string expectedText = fixtures::markerText(dir.file("in.pdf"));
    struct Case {
        std::uint64_t spillBytes;
        std::size_t piece;  // the bytes of each append
        bool inFile;
    };
    const Case cases[] = {
        {SavedPdf::SpillBytes, 7, false},
        {bytes.size(), bytes.size(), false},
        {0, 4096, true},
        {bytes.size() / 2, 1000, true},
    };
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.spillBytes) + "/" + std::to_string(c.piece);
        TempDir folder;
        SavedPdf saved(folder.path(), c.spillBytes);
        for (std::size_t at = 0; at < bytes.size(); at += c.piece)
            saved.append(bytes.data() + at, std::min(c.piece, bytes.size() - at));
        EXPECT_EQ(saved.inFile(), c.inFile) << label;
        EXPECT_EQ(saved.size(), bytes.size()) << label;
        EXPECT_TRUE(fixtures::filesIn(folder.path()).empty()) << label;

        std::string middle(5000, '\0');
        EXPECT_EQ(saved.readAt(bytes.size() / 3, middle.data(), middle.size()), middle.size()) << label;
        EXPECT_EQ(middle, bytes.substr(bytes.size() / 3, middle.size())) << label;
        char past = 0;
        EXPECT_EQ(saved.readAt(bytes.size(), &past, 1), 0u) << label;

        std::FILE* copy = std::fopen(dir.file("copy.pdf").c_str(), "wb");
        saved.writeTo(copy);
        std::fclose(copy);
        EXPECT_EQ(fixtures::readFile(dir.file("copy.pdf")), bytes) << label;

        QPDF pdf;
        pdf.processInputSource(saved.source("in.pdf"));
        const std::string rewritten = dir.file("rewritten.pdf");  // the writer keeps the name it is given
        QPDFWriter writer(pdf, rewritten.c_str());
        writer.write();
        EXPECT_EQ(fixtures::markerText(rewritten), expectedText) << label;
    }
}

}  // namespace
