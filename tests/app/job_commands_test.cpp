#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "support/fixtures.h"
#include "support/process.h"

namespace {

using fixtures::markerText;
using fixtures::ProcessResult;
using fixtures::TempDir;

class JobCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("A.pdf"), "A", 7);
        fixtures::writeMarkedPdf(dir.file("B.pdf"), "B", 4);
        fixtures::writeMarkedPdf(dir.file("C.pdf"), "C", 2);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("right"));
    }
    ProcessResult run(const std::vector<std::string>& arguments) {
        return fixtures::runSplimera(arguments, dir.path(), config.path());
    }
    // "name: markers; name: markers" for the given files.
    std::string outputs(const std::vector<std::string>& names, const std::string& password = "") {
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : "; ") + name + ": " + markerText(dir.file(name), password);
        return text;
    }

    TempDir dir, config;
};

TEST_F(JobCommands, SplitByEveryMethod) {
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> files;
        std::string pages;
    } cases[] = {
        {{}, {"A_1.pdf", "A_7.pdf"}, "A_1.pdf: A1; A_7.pdf: A7"},
        {{"--pages", "3"}, {"A_1.pdf", "A_2.pdf", "A_3.pdf"}, "A_1.pdf: A1 A2 A3; A_2.pdf: A4 A5 A6; A_3.pdf: A7"},
        {{"--groups", "2", "--from", "3"}, {"A_1.pdf", "A_3.pdf"}, "A_1.pdf: A3 A4; A_3.pdf: A7"},
        {{"--each", "3", "--from", "2"}, {"A_1.pdf", "A_2.pdf"}, "A_1.pdf: A4; A_2.pdf: A7"},
        {{"--ranges", "2-3,1;5", "--name", "part-"}, {"part-1.pdf", "part-2.pdf"}, "part-1.pdf: A2 A3 A1; part-2.pdf: A5"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"split", "A.pdf"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const ProcessResult result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(outputs(c.files), c.pages);
        EXPECT_NE(result.out.find(c.files.back() + " ("), std::string::npos) << result.out;
    }
}

TEST_F(JobCommands, InvalidRangeIsReportedAndTheFilesAreStillWritten) {
    const ProcessResult result = run({"split", "A.pdf", "--ranges", "4-2,1;3", "--to", config.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("The following page range is invalid and was skipped: 4-2"), std::string::npos);
    EXPECT_EQ(markerText(config.file("A_1.pdf")) + "|" + markerText(config.file("A_2.pdf")), "A1|A3");
}

TEST_F(JobCommands, MergeThreeFilesWithPasswordsInAndOut) {
    const ProcessResult result = run({"merge", "A.pdf", "locked.pdf", "C.pdf", "-o", "all.pdf", "--password", "wrong",
                                      "--password", "right", "--output-password", "secret"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, dir.file("all.pdf").substr(dir.folder().size()) + " (11 pages)\n");
    EXPECT_EQ(markerText(dir.file("all.pdf"), "secret"), fixtures::markerRun("A", 1, 7) + " L1 L2 C1 C2");
    EXPECT_ANY_THROW(fixtures::readMarkers(dir.file("all.pdf")));

    const ProcessResult refused = run({"merge", "A.pdf", "locked.pdf", "-o", "none.pdf"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Password required or incorrect password"), std::string::npos) << refused.err;
    EXPECT_FALSE(fixtures::fileExists(dir.file("none.pdf")));
}

TEST_F(JobCommands, MixWithEachCombinationOfMethods) {
    fixtures::writeMarkedPdf(dir.file("S.pdf"), "S", 6);
    fixtures::writeMarkedPdf(dir.file("T.pdf"), "T", 5);
    fixtures::writeMarkedPdf(dir.file("U.pdf"), "U", 3);
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> files;
        std::string pages;
    } cases[] = {
        {{"mix", "A.pdf", "B.pdf", "--second", "each:1"}, {"A_1.pdf", "A_2.pdf", "A_3.pdf"},
         "A_1.pdf: A1 A2 A3 B1; A_2.pdf: A4 A5 A6 B2; A_3.pdf: A7 B3"},
        {{"mix", "S.pdf", "T.pdf", "--first", "each:2", "--second", "each:2:2"}, {"S_1.pdf", "S_2.pdf", "S_3.pdf"},
         "S_1.pdf: S2 T3; S_2.pdf: S4 T5; S_3.pdf: S6 T2"},
        {{"mix", "A.pdf", "U.pdf", "--first", "each:3", "--second", "group:1", "--name", "e_"},
         {"e_1.pdf", "e_2.pdf", "e_3.pdf"}, "e_1.pdf: A3 U1; e_2.pdf: A6 U2; e_3.pdf: U3"},
        {{"mix", "A.pdf", "U.pdf", "--first", "group:2", "--second", "group:2", "--name", "g_"},
         {"g_1.pdf", "g_2.pdf", "g_4.pdf"}, "g_1.pdf: A1 A2 U1 U2; g_2.pdf: A3 A4 U3; g_4.pdf: A7 U3"},
        {{"mix", "C.pdf", "U.pdf", "--first", "group:1", "--second", "group:1", "--reverse-second", "--single-file"},
         {"C_mixed.pdf"}, "C_mixed.pdf: C1 U3 C2 U2"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(outputs(c.files), c.pages);
    }
}

// The top-level bookmark titles of a file, joined by blanks.
std::string bookmarkTitles(const std::string& path) {
    QPDF pdf;
    pdf.processFile(path.c_str());
    std::string titles;
    for (QPDFObjectHandle item = pdf.getRoot().getKey("/Outlines").getKey("/First"); item.isDictionary();
         item = item.getKey("/Next"))
        titles += (titles.empty() ? "" : " ") + item.getKey("/Title").getUTF8Value();
    return titles;
}

TEST_F(JobCommands, MergeAndMixMakeAnEntryPerFileWhenAsked) {
    ASSERT_EQ(run({"merge", "A.pdf", "B.pdf", "-o", "files.pdf", "--bookmarks", "per-file"}).exitCode, 0);
    EXPECT_EQ(bookmarkTitles(dir.file("files.pdf")), "A B");
    ASSERT_EQ(run({"mix", "A.pdf", "B.pdf", "--single-file", "--bookmarks", "per-file"}).exitCode, 0);
    EXPECT_EQ(bookmarkTitles(dir.file("A_mixed.pdf")), "A B");
    ASSERT_EQ(run({"merge", "A.pdf", "B.pdf", "-o", "plain.pdf"}).exitCode, 0);
    EXPECT_EQ(bookmarkTitles(dir.file("plain.pdf")), "");
}

TEST_F(JobCommands, WatermarkGivenOnTheCommandLineIsDrawnOnEveryPage) {
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(QColor(200, 0, 0, 128));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("mark.png"))));
    const ProcessResult result = run({"merge", "B.pdf", "C.pdf", "-o", "marked.pdf", "--watermark", "mark.png", "--at", "10,20"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    QPDF pdf;
    pdf.processFile(dir.file("marked.pdf").c_str());
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        EXPECT_FALSE(page.getImages().empty());
}

TEST_F(JobCommands, UsageErrorsNameTheOptionAndWriteNothing) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"split", "A.pdf", "--bogus"}, "Unknown option --bogus"},
        {{"split", "A.pdf", "--pages"}, "The option --pages needs a value"},
        {{"split", "A.pdf", "--groups", "two"}, "The option --groups needs a whole number"},
        {{"split", "A.pdf", "--to", "no-such-folder"}, "The folder of --to does not exist: no-such-folder"},
        {{"split", "A.pdf", "--from", "2"}, "The option --from goes with --groups or --each"},
        {{"split", "missing.pdf"}, "Input file does not exist: missing.pdf"},
        {{"merge", "A.pdf", "B.pdf"}, "merge needs -o OUTPUT"},
        {{"mix", "A.pdf", "B.pdf", "--first", "pairs:2"}, "The option --first needs group:N[:S] or each:N[:S]"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--at", "5"}, "The option --at needs two whole numbers"},
        {{"mix", "A.pdf", "B.pdf", "--bookmarks", "all"}, "The option --bookmarks needs keep, per-file or none"},
        {{"split", "A.pdf", "--bookmarks", "none"}, "Unknown option --bookmarks"},
    };
    const auto before = fixtures::filesIn(dir.path());
    for (const Case& c : cases) {
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << result.err;
    }
    EXPECT_EQ(fixtures::filesIn(dir.path()), before);
}

}  // namespace
