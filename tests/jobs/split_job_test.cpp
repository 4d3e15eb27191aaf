#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "engine/pdf_error.h"
#include "jobs/split_job.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;

// Writes "wrote <file name>" into the same log as the job's messages, so that
// a test sees in which order files and messages came.
class LoggingFinisher : public NoFinishing {
public:
    explicit LoggingFinisher(std::vector<std::string>& log) : log_(log) {}
    std::function<void(const std::string&)> failure;  // called first when set
    void writeFinished(const NewOutput& output, std::FILE* file) override {
        if (failure) failure(output.path);
        log_.push_back("wrote " + std::filesystem::path(output.path).filename().string());
        NoFinishing::writeFinished(output, file);
    }

private:
    std::vector<std::string>& log_;
};

// "01.pdf[A1 A2] 02.pdf[]" for every file of a folder; anything else (a
// temporary file, a folder) shows up by its name alone.
std::string folderText(const std::string& folder) {
    std::string text;
    for (const std::string& name : fixtures::filesIn(folder)) {
        if (!text.empty()) text += ' ';
        const std::string path = folder + "/" + name;
        const bool pdf = std::filesystem::is_regular_file(path) && name.size() > 4 && name[0] != '.' &&
                         name.compare(name.size() - 4, 4, ".pdf") == 0;
        text += pdf ? name + "[" + fixtures::markerText(path) + "]" : name;
    }
    return text;
}

std::string oneFilePerPage(int first, int last, int width) {
    std::string text;
    for (int page = first; page <= last; ++page) {
        std::string number = std::to_string(page - first + 1);
        number.insert(0, width - std::min<int>(width, number.size()), '0');
        text += (text.empty() ? "" : " ") + number + ".pdf[A" + std::to_string(page) + "]";
    }
    return text;
}

class SplitJob : public ::testing::Test {
protected:
    // An input of that many pages marked A1, A2, ... in the inputs folder.
    InputFile input(int pages) {
        const std::string name = "in" + std::to_string(pages) + ".pdf";
        if (!fixtures::fileExists(inputs.file(name))) fixtures::writeMarkedPdf(inputs.file(name), "A", pages);
        return {name, inputs.folder(), ""};
    }
    SplitRequest request(int pages, const std::string& outputFolder) {
        SplitRequest o;
        o.input = input(pages);
        o.baseName = "";
        o.destinationFolder = outputFolder;
        return o;
    }
    // Runs the job; returns the failure text, or "" when it ended normally.
    std::string run(const SplitRequest& o) {
        try {
            runSplit(o, reporter, finisher);
            return "";
        } catch (const std::exception& error) {
            return error.what();
        }
    }

    TempDir inputs, outputs;
    RecordingReporter reporter;
    LoggingFinisher finisher{reporter.messages};
};

// The text with the folder's path written "<dir>".
std::string inDir(std::string text, const TempDir& folder) {
    for (std::size_t at; (at = text.find(folder.folder())) != std::string::npos;)
        text.replace(at, folder.folder().size(), "<dir>");
    return text;
}

TEST_F(SplitJob, RangeListsOnA22PageInput) {
    const std::string skipped = "The following page range is invalid and was skipped: ";
    const std::string nothing = "Nothing was written: no page was selected", noPage = "No page was selected for ";
    struct Case {
        std::string list, files;
        std::vector<std::string> events;
        std::string failure;
    } cases[] = {
        {"1-4,6,9-10;5,6;12;20-21,23;", "01.pdf[A1 A2 A3 A4 A6 A9 A10] 02.pdf[A5 A6] 03.pdf[A12] 04.pdf[A20 A21]",
         {"wrote 01.pdf", "wrote 02.pdf", "wrote 03.pdf", "wrote 04.pdf"}, ""},
        {"", "", {}, nothing},
        {";;", "", {}, nothing},
        {"3;;5", "01.pdf[A3] 02.pdf[A5]", {"wrote 01.pdf", "wrote 02.pdf"}, ""},
        {"9,1", "01.pdf[A9 A1]", {"wrote 01.pdf"}, ""},
        {"2,2,2", "01.pdf[A2 A2 A2]", {"wrote 01.pdf"}, ""},
        {"3-3", "01.pdf[A3]", {"wrote 01.pdf"}, ""},
        {"1-3-5", "01.pdf[A1 A2 A3]", {"wrote 01.pdf"}, ""},
        {"4-2", "", {skipped + "4-2"}, noPage + "<dir>01.pdf, so nothing was written"},
        {"4-2,7", "01.pdf[A7]", {skipped + "4-2", "wrote 01.pdf"}, ""},
        {"30", "", {}, noPage + "<dir>01.pdf, so nothing was written"},
        {"1, 3", "01.pdf[A1 A3]", {"wrote 01.pdf"}, ""},
        {"1 ,3", "", {}, "'1 ' is not a valid integer value for Integer type"},
        {"2- 4", "01.pdf[A2 A3 A4]", {"wrote 01.pdf"}, ""},
        {"2 -4", "", {}, "'2 ' is not a valid integer value"},
        {"+5;05", "01.pdf[A5] 02.pdf[A5]", {"wrote 01.pdf", "wrote 02.pdf"}, ""},
        {"0-2", "01.pdf[A1 A2]", {"wrote 01.pdf"}, ""},
        {"5;x;7", "01.pdf[A5]", {"wrote 01.pdf"}, "'x' is not a valid integer value for Integer type"},
        {"1;'2;3'", "01.pdf[A1]", {"wrote 01.pdf"}, "''2;3'' is not a valid integer value for Integer type"},
        {"1;5-;2", "01.pdf[A1]", {"wrote 01.pdf"}, "List index out of bounds (1)"},
        {"1;-", "01.pdf[A1]", {"wrote 01.pdf"}, "List index out of bounds (0)"},
        // a group's message comes after the files of the groups before it; a
        // group without pages writes no file, and its number stays used
        {"1;4-2;2", "01.pdf[A1] 03.pdf[A2]",
         {"wrote 01.pdf", skipped + "4-2", "wrote 03.pdf", noPage + "<dir>02.pdf, so it was not written"}, ""},
    };
    for (const Case& c : cases) {
        TempDir folder;
        SplitRequest o = request(22, folder.folder());
        o.method = SplitMethod::ByPageRange;
        o.rangeList = c.list;
        o.filesOfSize = "";  // fields of other methods are not read
        reporter.messages.clear();
        EXPECT_EQ(inDir(run(o), folder), c.failure) << c.list;
        EXPECT_EQ(folderText(folder.path()), c.files) << c.list;
        for (std::string& message : reporter.messages) message = inDir(message, folder);
        EXPECT_EQ(reporter.messages, c.events) << c.list;
    }
}

TEST_F(SplitJob, GroupMethods) {
    using M = SplitMethod;
    const std::string nothing = "Nothing was written: no page was selected";
    const std::string noPages = "The file has no page that can be taken: <input>";
    struct Case {
        int pages;
        M method;
        std::string size, start, files;
        std::string failure = "";
    } cases[] = {
        {10, M::IntoFilesOf, "1", "", oneFilePerPage(1, 10, 2)},
        {10, M::IntoFilesOf, "4", "", "01.pdf[A1 A2 A3 A4] 02.pdf[A5 A6 A7 A8] 03.pdf[A9 A10]"},
        {10, M::EveryGroupOf, "3", "2", "01.pdf[A2 A3 A4] 02.pdf[A5 A6 A7] 03.pdf[A8 A9 A10]"},
        {10, M::Each, "3", "1", "01.pdf[A3] 02.pdf[A6] 03.pdf[A9]"},
        {10, M::IntoFilesOf, "0", "", "01.pdf[" + fixtures::markerRun("A", 1, 10) + "]"},
        {10, M::EveryGroupOf, "0", "4", "01.pdf[" + fixtures::markerRun("A", 4, 10) + "]"},
        {10, M::Each, "0", "1", "", "No page was selected for <dir>01.pdf, so nothing was written"},
        {10, M::IntoFilesOf, "11", "", "01.pdf[" + fixtures::markerRun("A", 1, 10) + "]"},
        {10, M::EveryGroupOf, "3", "0", "01.pdf[A1 A2] 02.pdf[A3 A4 A5] 03.pdf[A6 A7 A8] 04.pdf[A9 A10]"},
        // The group of page 0 takes nothing: no file, but its number stays used.
        {10, M::EveryGroupOf, "1", "0", "02.pdf[A1] 03.pdf[A2] 04.pdf[A3] 05.pdf[A4] 06.pdf[A5] 07.pdf[A6] "
                                        "08.pdf[A7] 09.pdf[A8] 10.pdf[A9] 11.pdf[A10]"},
        {10, M::Each, "3", "0", "01.pdf[A2] 02.pdf[A5] 03.pdf[A8]"},
        {10, M::EveryGroupOf, "3", "11", "", nothing},
        {10, M::Each, "3", "11", "", nothing},
        {9, M::IntoFilesOf, "1", "", oneFilePerPage(1, 9, 1)},
        {0, M::IntoFilesOf, "1", "", "", noPages},
        {0, M::EveryGroupOf, "1", "0", "", noPages},
    };
    for (const Case& c : cases) {
        TempDir folder;
        SplitRequest o = request(c.pages, folder.folder());
        o.method = c.method;
        // Only the selected method's fields are read; the others are left unusable.
        o.filesOfSize = o.everyGroupSize = o.everyGroupStart = o.eachStep = o.eachStart = "";
        o.rangeList = "x;-";
        (c.method == M::IntoFilesOf ? o.filesOfSize : c.method == M::EveryGroupOf ? o.everyGroupSize : o.eachStep) = c.size;
        (c.method == M::EveryGroupOf ? o.everyGroupStart : o.eachStart) = c.start;
        reporter.messages.clear();
        const std::string label = std::to_string(c.pages) + " pages, method " + std::to_string(static_cast<int>(c.method)) +
                                  " N=" + c.size + " S=" + c.start;
        std::string failure = inDir(run(o), folder);
        if (const std::size_t at = failure.find(o.input.path()); at != std::string::npos)
            failure.replace(at, o.input.path().size(), "<input>");
        EXPECT_EQ(failure, c.failure) << label;
        EXPECT_EQ(folderText(folder.path()), c.files) << label;
        // Saying that it is done is the caller's.
        EXPECT_EQ(std::count(reporter.messages.begin(), reporter.messages.end(), "<MsgSplitDone>"), 0) << label;
    }
}

TEST_F(SplitJob, SelectedFieldMustBeAWholeNumber) {
    struct Case {
        SplitMethod method;
        std::string SplitRequest::*field;
        std::string text;
    } cases[] = {
        {SplitMethod::IntoFilesOf, &SplitRequest::filesOfSize, ""},
        {SplitMethod::EveryGroupOf, &SplitRequest::everyGroupSize, "3 "},
        {SplitMethod::EveryGroupOf, &SplitRequest::everyGroupStart, "x"},
        {SplitMethod::Each, &SplitRequest::eachStep, " "},
        {SplitMethod::Each, &SplitRequest::eachStart, "1.5"},
    };
    for (const Case& c : cases) {
        SplitRequest o = request(4, outputs.folder());
        o.method = c.method;
        o.*c.field = c.text;
        reporter.messages.clear();
        EXPECT_EQ(run(o), "'" + c.text + "' is not a valid integer value");
        EXPECT_TRUE(reporter.messages.empty());
    }
    EXPECT_EQ(folderText(outputs.path()), "");
}

TEST_F(SplitJob, ProgressRoundsHalvesToEvenAndEndsHidden) {
    SplitRequest o = request(8, outputs.folder());
    o.filesOfSize = "8";
    EXPECT_EQ(run(o), "");
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100, 0}));
    EXPECT_FALSE(reporter.progressVisible);

    reporter.positions.clear();
    o.method = SplitMethod::ByPageRange;
    o.rangeList = "1-8;3";
    EXPECT_EQ(run(o), "");
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 0, 0, 12, 25, 38, 50, 62, 75, 88, 0, 0, 0}));
    EXPECT_FALSE(reporter.progressVisible);
}

TEST_F(SplitJob, NamesPadToTheDigitsOfThePageCount) {
    struct Case {
        int pages;
        std::string base, list, names;
    } cases[] = {
        {10, "report_", "1;2", "report_01.pdf report_02.pdf"},
        {5, "r", "1;2;3;4;5;1;2;3;4;5;1;2", "r1.pdf r10.pdf r11.pdf r12.pdf r2.pdf r3.pdf r4.pdf r5.pdf r6.pdf "
                                           "r7.pdf r8.pdf r9.pdf"},
        {120, "", "7", "001.pdf"},
    };
    for (const Case& c : cases) {
        TempDir folder;
        SplitRequest o = request(c.pages, folder.folder());
        o.method = SplitMethod::ByPageRange;
        o.rangeList = c.list;
        o.baseName = c.base;
        reporter.messages.clear();
        EXPECT_EQ(run(o), "");
        std::string names;
        for (const std::string& name : fixtures::filesIn(folder.path())) names += (names.empty() ? "" : " ") + name;
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(reporter.messages.size(), fixtures::filesIn(folder.path()).size()) << "one line per file written";
    }
}

TEST_F(SplitJob, EveryOutputGetsTheInputsViewerPreferences) {
    const std::string path = input(3).path();
    {
        QPDF pdf;
        pdf.processFile(path.c_str());
        pdf.getRoot().replaceKey("/ViewerPreferences", QPDFObjectHandle::parse("<< /HideToolbar true >>"));
        const std::string rewritten = path + ".new";  // the writer keeps the pointer
        QPDFWriter writer(pdf, rewritten.c_str());
        writer.write();
    }
    std::filesystem::rename(path + ".new", path);

    SplitRequest o = request(3, outputs.folder());
    o.filesOfSize = "2";
    EXPECT_EQ(run(o), "");
    for (const char* name : {"1.pdf", "2.pdf"}) {
        QPDF pdf;
        pdf.processFile(outputs.file(name).c_str());
        QPDFObjectHandle preferences = pdf.getRoot().getKey("/ViewerPreferences");
        EXPECT_TRUE(preferences.isDictionary() && preferences.getKey("/HideToolbar").isBool() &&
                    preferences.getKey("/HideToolbar").getBoolValue())
            << name;
    }
}

TEST_F(SplitJob, ProtectedInputIsOpenedWithItsPassword) {
    fixtures::writeMarkedPdf(inputs.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    SplitRequest o = request(2, outputs.folder());
    o.input = {"locked.pdf", inputs.folder(), "pw"};
    EXPECT_EQ(run(o), "");
    EXPECT_EQ(folderText(outputs.path()), "1.pdf[L1] 2.pdf[L2]");
}

TEST_F(SplitJob, SecondRunReplacesFilesOfTheSameName) {
    SplitRequest o = request(3, outputs.folder());
    EXPECT_EQ(run(o), "");
    EXPECT_EQ(folderText(outputs.path()), "1.pdf[A1] 2.pdf[A2] 3.pdf[A3]");
    o.method = SplitMethod::ByPageRange;
    o.rangeList = "3;1,2";
    EXPECT_EQ(run(o), "");
    EXPECT_EQ(folderText(outputs.path()), "1.pdf[A3] 2.pdf[A1 A2] 3.pdf[A3]");
}

TEST_F(SplitJob, FailureInTheMiddleKeepsEarlierFilesAndLeavesNothingHalfWritten) {
    std::filesystem::create_directory(outputs.file("2.pdf"));
    SplitRequest o = request(3, outputs.folder());
    EXPECT_EQ(run(o), "Cannot create file \"" + outputs.file("2.pdf") + "\". Is a directory");
    EXPECT_EQ(folderText(outputs.path()), "1.pdf[A1] 2.pdf");
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"wrote 1.pdf"}));
    EXPECT_TRUE(reporter.progressVisible) << "the bar stays at its last position";

    // The next run goes on where the folder is free again.
    std::filesystem::remove(outputs.file("2.pdf"));
    EXPECT_EQ(run(o), "");
    EXPECT_EQ(folderText(outputs.path()), "1.pdf[A1] 2.pdf[A2] 3.pdf[A3]");
}

// An output that cannot be finished is not written at all: it never appears
// unfinished (unprotected) at its target.
TEST_F(SplitJob, FinishingFailureEndsTheJobBeforeThatFileIsWritten) {
    finisher.failure = [](const std::string& path) {
        if (path.find("2.pdf") != std::string::npos) throw std::runtime_error("the picture is gone");
    };
    SplitRequest o = request(3, outputs.folder());
    EXPECT_EQ(run(o), "Cannot write file \"" + outputs.file("2.pdf") + "\": the picture is gone");
    EXPECT_EQ(folderText(outputs.path()), "1.pdf[A1]");
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"wrote 1.pdf"}));
}

TEST_F(SplitJob, InputThatCannotBeOpenedWritesNothing) {
    SplitRequest o = request(3, outputs.folder());
    o.input.fileName = "missing.pdf";
    EXPECT_EQ(run(o), "File not found or could not be opened");
    fixtures::writeMarkedPdf(inputs.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    o.input = {"locked.pdf", inputs.folder(), "wrong"};
    EXPECT_EQ(run(o), "Password required or incorrect password");
    EXPECT_EQ(folderText(outputs.path()), "");
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace

namespace {

TEST_F(SplitJob, NeverReplacesTheInputWithOneOfItsParts) {
    SplitRequest o = request(3, inputs.folder());
    o.baseName = "in";  // the third output would be in3.pdf, the input itself
    EXPECT_EQ(run(o), "Cannot create file \"" + inputs.file("in3.pdf") + "\". It is one of the files the job reads");
    EXPECT_EQ(folderText(inputs.path()), "in1.pdf[A1] in2.pdf[A2] in3.pdf[A1 A2 A3]");
}

}  // namespace
