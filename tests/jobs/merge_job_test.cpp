#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "base/background_work.h"
#include "engine/pdf_error.h"
#include "jobs/job_finishing.h"
#include "jobs/merge_job.h"
#include "support/damaged_pdfs.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"
#include "support/scoped_environment.h"

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
    void merge(std::vector<InputFile> inputs) {
        MergeRequest request;
        request.inputs = std::move(inputs);
        request.outputPath = output();
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
    EXPECT_TRUE(reporter.messages.empty()) << "saying it is done is the caller's";
    EXPECT_EQ(finisher.finished, (std::vector<std::string>{output()}));
    EXPECT_EQ(reporter.written, (std::vector<std::pair<std::string, int>>{{output(), 6}}));
}

TEST_F(MergeJob, RepeatsEmptyInputsAndProtectedInputs) {
    merge({input("b.pdf"), input("empty.pdf"), input("locked.pdf", "pw"), input("b.pdf")});
    EXPECT_EQ(fixtures::markerText(output()), "B1 B2 L1 L2 B1 B2");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MergeJob, NeedsTwoFiles) {
    merge({input("a.pdf")});
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

// Each input's selection picks its pages: z is the last page, rN the N-th
// from the end, a range whose start is after its end runs backwards. A page
// that is not one of the file's pages fails the merge before anything is
// written, naming the file and its page count.
TEST_F(MergeJob, SelectionsPickEachInputsPages) {
    struct Case {
        std::vector<std::string> selections;
        std::string pages, error;
    } cases[] = {
        {{"1-2,z", "z-1"}, "A1 A2 A3 B2 B1", ""},
        {{"r1,r3", ""}, "A3 A1 B1 B2", ""},
        {{"2", "r2-r1,1,1"}, "A2 B1 B2 B1 B1", ""},
        {{"3-1"}, "A3 A2 A1 B1 B2", ""},
        {{"2-4", "1"}, "", "The page selection of a.pdf names page 4, which is not one of its 3 pages"},
        {{"1", "r3"}, "", "The page selection of b.pdf names page r3, which is not one of its 2 pages"},
        {{"0"}, "", "The page selection of a.pdf names page 0, which is not one of its 3 pages"},
        {{"1", "", "1"}, "", "The page selection of empty.pdf names page 1, which is not one of its 0 pages"},
        {{"1;2"}, "", "The page selection of a.pdf holds '1;2', which is no page or range such as 1-3, z or r2-1"},
        {{"1", "y"}, "", "The page selection of b.pdf holds 'y', which is no page or range such as 1-3, z or r2-1"},
        {{"2-"}, "", "The page selection of a.pdf holds '2-', which is no page or range such as 1-3, z or r2-1"},
    };
    for (Case& c : cases) {
        std::filesystem::remove(output());
        MergeRequest request;
        request.inputs = {input("a.pdf"), input("b.pdf")};
        if (c.selections.size() > 2) request.inputs = {input("a.pdf"), input("b.pdf"), input("empty.pdf")};
        request.pageSelections = c.selections;
        request.outputPath = output();
        const std::string error = fixtures::errorOf([&] { runMerge(request, reporter, finisher); });
        EXPECT_EQ(error, c.error.empty() ? "(no error)" : c.error.replace(c.error.find(" of ") + 4, 0, dir.folder()))
            << c.selections[0];
        EXPECT_EQ(fixtures::fileExists(output()) ? fixtures::markerText(output()) : "", c.pages) << c.selections[0];
    }
}

// Each page's marker and shown size, "A1:612x792", blank pages without marker.
std::string pagesWithSizes(const std::string& path) {
    QPDF pdf;
    pdf.processFile(path.c_str());
    const std::vector<std::string> markers = fixtures::readMarkers(path);
    std::string text;
    std::size_t i = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        const QPDFObjectHandle::Rectangle box = page.getCropBox(true).getArrayAsRectangle();
        long width = std::lround(box.urx - box.llx), height = std::lround(box.ury - box.lly);
        if (page.getAttribute("/Rotate", false).isInteger() && page.getAttribute("/Rotate", false).getIntValue() % 180)
            std::swap(width, height);
        text += (text.empty() ? "" : " ") + markers.at(i++) + ":" + std::to_string(width) + "x" + std::to_string(height);
    }
    return text;
}

TEST_F(MergeJob, PaddingAddsABlankPageOfTheLastPageSizeAfterEachOddInput) {
    fixtures::writeMarkedPdf(dir.file("small.pdf"), "S", 1, fixtures::PdfOptions().withSize(300, 400));
    fixtures::writeMarkedPdf(dir.file("turned.pdf"), "T", 1,
                             fixtures::PdfOptions().withSize(300, 400).withRotation(90));
    const struct {
        std::vector<std::string> inputs;
        std::string pages;
        int total;
    } cases[] = {
        {{"a.pdf", "b.pdf", "c.pdf"}, "A1:612x792 A2:612x792 A3:612x792 :612x792 B1:612x792 B2:612x792 C1:612x792 :612x792", 8},
        {{"b.pdf", "small.pdf", "empty.pdf", "turned.pdf"}, "B1:612x792 B2:612x792 S1:300x400 :300x400 T1:400x300 :400x300", 6},
        {{"b.pdf", "b.pdf"}, "B1:612x792 B2:612x792 B1:612x792 B2:612x792", 4},
    };
    for (const auto& c : cases) {
        MergeRequest request;
        for (const std::string& name : c.inputs) request.inputs.push_back(input(name));
        request.outputPath = output();
        request.padOdd = true;
        reporter.written.clear();
        runMerge(request, reporter, finisher);
        EXPECT_EQ(pagesWithSizes(output()), c.pages);
        EXPECT_EQ(reporter.written, (std::vector<std::pair<std::string, int>>{{output(), c.total}}));
    }
}

TEST_F(MergeJob, SharedFontIsCopiedOncePerInput) {
    fixtures::writeMarkedPdf(dir.file("font.pdf"), "F", 200, fixtures::PdfOptions().withSharedFont());
    merge({input("font.pdf"), input("font.pdf")});
    const auto inputSize = std::filesystem::file_size(dir.file("font.pdf"));
    const auto outputSize = std::filesystem::file_size(output());
    EXPECT_LE(static_cast<double>(outputSize), 2.2 * static_cast<double>(inputSize));
    EXPECT_EQ(fixtures::readMarkers(output()).size(), 400u);
}

// Inputs are read on a second core while PDFium works (the page tree check,
// the opening of each input for its structure): a merge gives the same file,
// messages and error as with every step on the job's own thread, whatever
// its inputs, those that fail included.
TEST_F(MergeJob, ReadingAheadGivesWhatOneThreadGives) {
    const fixtures::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1672531200");
    fixtures::writeMarkedPdf(dir.file("marked.pdf"), "M", 3,
                             fixtures::PdfOptions().withBookmarks({{"one", 1, 1}, {"one.a", 2, 2}, {"three", 1, 3}}));
    {
        QPDF marked;
        marked.processFile(dir.file("marked.pdf").c_str());
        const std::string packedPath = dir.file("packed.pdf");  // the writer keeps the name it is given
        QPDFWriter packed(marked, packedPath.c_str());
        packed.setObjectStreamMode(qpdf_o_generate);
        packed.write();
    }
    std::vector<std::vector<InputFile>> cases = {
        {input("marked.pdf"), input("packed.pdf"), input("locked.pdf", "pw"), input("packed.pdf")},
        {input("packed.pdf"), input("a.pdf"), input("empty.pdf")},
        {input("a.pdf"), input("missing.pdf"), input("packed.pdf")},
        {input("packed.pdf"), input("locked.pdf", "wrong")},
    };
    for (const fixtures::DamagedPdf& entry : fixtures::damagedPdfs())
        cases.push_back({input("packed.pdf"), inputFileFor(fixtures::placeDamagedPdf(dir.folder(), entry)),
                         input("marked.pdf")});
    struct Outcome {
        std::string error;
        std::vector<std::string> messages;
        std::string bytes;
    };
    auto merged = [&](const std::vector<InputFile>& inputs, bool readAhead) {
        allowBackgroundThread(readAhead);
        std::filesystem::remove(output());
        RecordingReporter heard;
        OutputFinisher finishing = finisherFor(Protection{});
        MergeRequest request;
        request.inputs = inputs;
        request.outputPath = output();
        Outcome outcome;
        outcome.error = fixtures::errorOf([&] { runMerge(request, heard, finishing); });
        outcome.messages = heard.messages;
        if (fixtures::fileExists(output())) outcome.bytes = fixtures::readFile(output());
        return outcome;
    };
    for (const std::vector<InputFile>& inputs : cases) {
        const Outcome alone = merged(inputs, false), ahead = merged(inputs, true);
        EXPECT_EQ(ahead.error, alone.error) << inputs[1].path();
        EXPECT_EQ(ahead.messages, alone.messages) << inputs[1].path();
        EXPECT_TRUE(ahead.bytes == alone.bytes) << inputs[1].path();
    }
    EXPECT_EQ(merged(cases[0], true).error, "(no error)");
    EXPECT_EQ(fixtures::bookmarkTitles(output()), "one three one three one three");
    allowBackgroundThread(true);
}

}  // namespace
