#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <QColor>
#include <QImage>
#include <chrono>
#include <filesystem>

#include "support/fixtures.h"
#include "support/process.h"

namespace {

using fixtures::markerText;
using fixtures::ProcessResult;
using fixtures::TempDir;

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("Report.pdf"), "R", 10);
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 3);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    }
    ProcessResult run(const std::vector<std::string>& arguments) {
        return fixtures::runSplimera(arguments, dir.path(), config.path());
    }
    std::string settingsFile() const { return config.file("Brellow/Splimera.conf"); }
    void storeSettings(const std::string& lines) {
        std::filesystem::create_directories(config.file("Brellow"));
        fixtures::writeFile(settingsFile(), "[General]\n" + lines);
    }

    TempDir dir, config;
};

TEST_F(StartUp, RemoveEndsAtOnceWithoutTouchingSettings) {
    for (const char* argument : {"/remove", "  /remove\t"}) {
        const ProcessResult result = run({argument});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out + result.err, "");
    }
    EXPECT_FALSE(fixtures::fileExists(settingsFile()));
}

TEST_F(StartUp, SilentSplitWritesNumberedFinishedFilesBesideTheInput) {
    const ProcessResult result = run({"-qs", "Report.pdf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Silent Split operation done.\n");
    for (int i = 1; i <= 10; ++i) {
        const std::string name = dir.file("Report_" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".pdf");
        EXPECT_EQ(markerText(name), "R" + std::to_string(i));
        QPDF pdf;
        pdf.processFile(name.c_str());
        EXPECT_EQ(pdf.getTrailer().getKey("/Info").getKey("/Creator").getUTF8Value().rfind("Splimera (", 0), 0u);
    }
}

TEST_F(StartUp, SilentMergeJoinsInOrderAndIgnoresWhatFollowsTheOutput) {
    const ProcessResult result = run({"-qm", "a.pdf", "b.pdf", "-o", "out.pdf", "never-looked-at.pdf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Silent Merge operation done.\n");
    EXPECT_EQ(markerText(dir.file("out.pdf")), "A1 A2 B1 B2 B3");
}

TEST_F(StartUp, ConsoleLinesAndExitCodes) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;
        std::string errStart;
    } cases[] = {
        {{"-qs", "missing.pdf"}, 2, "Aborting, input file does not exist: missing.pdf\n", ""},
        {{"-m", "a.pdf", "-o", "x.pdf"}, 2, "Aborting, input file does not exist: -o\n", ""},
        {{"-qm", "a.pdf", "b.pdf"}, 2, "Output parameter missing, please check documentation.\n", ""},
        {{"-qm", "a.pdf", "-o"}, 2, "Output parameter missing, please check documentation.\n", ""},
        {{"-QS", "a.pdf"}, 2, "Invalid parameters, please check documentation.\n", ""},
        {{"/REMOVE"}, 2, "Invalid parameters, please check documentation.\n", ""},
        {{"a.pdf"}, 2, "Invalid parameters, please check documentation.\n", ""},
        // The merge has no file and says so; the completion line still follows.
        {{"-qm", "-o", "out.pdf"}, 1, "Silent Merge operation done.\n", ""},
        // A file the probe cannot open is left out; the job then fails on the empty list.
        {{"-qs", "locked.pdf"}, 1, "", "locked.pdf is protected. Please enter its password:"},
        {{"-s", "a.pdf"}, 2, "", "Splimera needs a display"},
    };
    for (const Case& c : cases) {
        const auto started = std::chrono::steady_clock::now();
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[0] << " " << result.err;
        EXPECT_EQ(result.out, c.out) << c.arguments[0];
        EXPECT_NE(result.err.find(c.errStart), std::string::npos) << result.err;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    }
    EXPECT_FALSE(fixtures::fileExists(dir.file("out.pdf")));
    EXPECT_FALSE(fixtures::fileExists(dir.file("locked_1.pdf")));
}

TEST_F(StartUp, ErrorEndingASilentJobIsReportedWithCodeOne) {
    const ProcessResult result = run({"-qm", "a.pdf", "b.pdf", "-o", dir.file("missing-folder/out.pdf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("Application Error: Cannot create file"), std::string::npos) << result.err;
}

TEST_F(StartUp, StoredProtectionReachesSilentOutputs) {
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(QColor(0, 0, 200, 200));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("mark.png"))));
    storeSettings("outputPdfPassword=secret\nwatermarkPath=" + dir.file("mark.png") + "\nwatermarkX=10\nwatermarkY=10\n");
    const ProcessResult result = run({"-qm", "a.pdf", "b.pdf", "-o", "out.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_ANY_THROW(fixtures::readMarkers(dir.file("out.pdf")));
    QPDF pdf;
    pdf.processFile(dir.file("out.pdf").c_str(), "secret");
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) EXPECT_FALSE(page.getImages().empty());
}

}  // namespace
