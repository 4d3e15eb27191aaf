#include <gtest/gtest.h>

#include <filesystem>

#include "engine/pdf_error.h"
#include "jobs/merge_job.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;

class MergeJob : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
        fixtures::writeMarkedPdf(dir.file("c.pdf"), "C", 1);
        fixtures::writeMarkedPdf(dir.file("empty.pdf"), "E", 0);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    }
    InputFile input(const std::string& name, const std::string& password = "") {
        return {name, dir.folder(), password};
    }
    void merge(std::vector<InputFile> inputs, bool silent = false) {
        MergeRequest request;
        request.inputs = std::move(inputs);
        request.outputPath = output();
        request.silent = silent;
        runMerge(request, reporter, finisher);
    }
    std::string output() const { return dir.file("out.pdf"); }

    TempDir dir;
    RecordingFinisher finisher;
    RecordingReporter reporter;
};

TEST_F(MergeJob, JoinsInputsInListOrderAndReportsThePageTotal) {
    merge({input("a.pdf"), input("b.pdf"), input("c.pdf")});
    EXPECT_EQ(fixtures::markerText(output()), "A1 A2 A3 B1 B2 C1");
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"<MsgMergeDone> (total pages: 6)"}));
    EXPECT_EQ(finisher.finished, (std::vector<std::string>{output()}));
    EXPECT_EQ(reporter.written, (std::vector<std::pair<std::string, int>>{{output(), 6}}));
}

TEST_F(MergeJob, RepeatsEmptyInputsAndProtectedInputs) {
    merge({input("b.pdf"), input("empty.pdf"), input("locked.pdf", "pw"), input("b.pdf")}, true);
    EXPECT_EQ(fixtures::markerText(output()), "B1 B2 L1 L2 B1 B2");
    EXPECT_TRUE(reporter.messages.empty()) << "a silent merge shows no completion message";
}

TEST_F(MergeJob, NeedsTwoFiles) {
    merge({input("a.pdf")}, true);
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"<MsgErrAdd2files>"}));
    EXPECT_TRUE(reporter.written.empty());
    EXPECT_FALSE(fixtures::fileExists(output()));
}

TEST_F(MergeJob, FailuresLeaveNoOutput) {
    struct Case {
        std::vector<InputFile> inputs;
        std::string outputPath, message;
    } cases[] = {
        {{input("a.pdf"), input("missing.pdf")}, output(), "File not found or could not be opened"},
        {{input("a.pdf"), input("locked.pdf")}, output(), "Password required or incorrect password"},
        {{input("a.pdf"), input("b.pdf")}, dir.file("nowhere/out.pdf"),
         "Cannot create file \"" + dir.file("nowhere/out.pdf") + "\". No such file or directory"},
        {{input("a.pdf"), input("b.pdf")}, dir.file("b.pdf"),
         "Cannot create file \"" + dir.file("b.pdf") + "\". It is one of the files the job reads"},
        {{input("a.pdf"), input("b.pdf")}, "", "No output file given"},
    };
    for (const Case& c : cases) {
        const auto before = fixtures::filesIn(dir.path());
        MergeRequest request;
        request.inputs = c.inputs;
        request.outputPath = c.outputPath;
        try {
            runMerge(request, reporter, finisher);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::exception& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
        EXPECT_EQ(fixtures::filesIn(dir.path()), before) << "no output and no temporary file";
        EXPECT_EQ(fixtures::markerText(dir.file("b.pdf")), "B1 B2") << "inputs stay intact";
    }
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(finisher.finished.empty());
}

TEST_F(MergeJob, SharedFontIsCopiedOncePerInput) {
    fixtures::writeMarkedPdf(dir.file("font.pdf"), "F", 200, fixtures::PdfOptions().withSharedFont());
    merge({input("font.pdf"), input("font.pdf")}, true);
    const auto inputSize = std::filesystem::file_size(dir.file("font.pdf"));
    const auto outputSize = std::filesystem::file_size(output());
    EXPECT_LE(static_cast<double>(outputSize), 2.2 * static_cast<double>(inputSize));
    EXPECT_EQ(fixtures::readMarkers(output()).size(), 400u);
}

}  // namespace
