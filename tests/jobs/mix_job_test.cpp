#include <gtest/gtest.h>

#include <functional>

#include <filesystem>
#include <stdexcept>

#include "engine/pdf_error.h"
#include "jobs/document_session.h"
#include "jobs/mix_job.h"
#include "base/whole_number.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::errorOf;

using fixtures::TempDir;
using Files = std::vector<std::string>;

MixMethodFields groupFields(const std::string& count, const std::string& start) {
    MixMethodFields fields;
    fields.method = MixMethod::EveryGroupOf;
    fields.groupCount = count;
    fields.groupStart = start;
    return fields;
}

MixMethodFields eachFields(const std::string& count, const std::string& start) {
    MixMethodFields fields;
    fields.method = MixMethod::Each;
    fields.eachCount = count;
    fields.eachStart = start;
    return fields;
}

// Fails on the given call, after the file it was handed has been recorded.
class FailingFinisher : public RecordingFinisher {
public:
    explicit FailingFinisher(std::size_t failingCall) : failingCall_(failingCall) {}
    void writeFinished(const NewOutput& output, std::FILE* file) override {
        RecordingFinisher::writeFinished(output, file);
        if (finished.size() == failingCall_) throw std::runtime_error("cannot finish " + output.path);
    }

private:
    std::size_t failingCall_;
};

class MixJob : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 8);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 4);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 3, fixtures::PdfOptions().withPassword("pw"));
        request.first = input("a.pdf");
        request.second = input("b.pdf");
        request.baseName = "doc_";
        request.destinationFolder = dir.folder();
    }
    InputFile input(const std::string& name, const std::string& password = "") {
        return {name, dir.folder(), password};
    }
    void mix(Finisher& usedFinisher) { runMix(request, reporter, usedFinisher); }
    void mix() { mix(finisher); }
    Files outputs() const {
        Files names;
        for (const std::string& name : fixtures::filesIn(dir.path()))
            if (name.rfind("doc_", 0) == 0) names.push_back(name);
        return names;
    }
    std::string markers(const std::string& name) const { return fixtures::markerText(dir.file(name)); }

    TempDir dir;
    RecordingFinisher finisher;
    RecordingReporter reporter;
    MixRequest request;
};

TEST_F(MixJob, WritesAndFinishesAFilePerTurn) {
    request.firstMethod = groupFields("3", "1");
    request.secondMethod = eachFields("1", "1");
    mix();

    EXPECT_EQ(outputs(), (Files{"doc_1.pdf", "doc_2.pdf", "doc_3.pdf"}));
    EXPECT_EQ(markers("doc_1.pdf"), "A1 A2 A3 B1");
    EXPECT_EQ(markers("doc_2.pdf"), "A4 A5 A6 B2");
    EXPECT_EQ(markers("doc_3.pdf"), "A7 A8 B3");
    EXPECT_EQ(finisher.finished, (Files{dir.file("doc_1.pdf"), dir.file("doc_2.pdf"), dir.file("doc_3.pdf")}));
    EXPECT_EQ(reporter.messages, Files{});
    // Shown at 0, one position per page of the first document (halves to even), 0 again at the end.
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100, 0}));
    EXPECT_FALSE(reporter.progressVisible);

    // A second run replaces the outputs.
    request.firstMethod = groupFields("8", "1");
    mix();
    EXPECT_EQ(outputs(), (Files{"doc_1.pdf", "doc_2.pdf", "doc_3.pdf"}));
    EXPECT_EQ(markers("doc_1.pdf"), fixtures::markerRun("A", 1, 8) + " B1");
}

TEST_F(MixJob, ATurnWithoutPagesWritesNoFileAndKeepsItsNumber) {
    // Start page 0: the first turn holds only page 0 of the first document,
    // which the engine refuses, and nothing of the second (count 0).
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
    request.firstMethod = groupFields("1", "0");
    request.firstMethod.eachCount = "";  // fields of the method not selected are not read
    request.second = input("locked.pdf", "pw");
    request.secondMethod = groupFields("0", "1");
    request.secondMethod.eachStart = "x";
    mix();

    EXPECT_EQ(outputs(), (Files{"doc_2.pdf", "doc_3.pdf", "doc_4.pdf"}));
    EXPECT_EQ(markers("doc_2.pdf"), "A1");
    EXPECT_EQ(markers("doc_4.pdf"), "A3");
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 0, 33, 67, 100, 0}));
    EXPECT_EQ(reporter.messages,
              (Files{"No page was selected for " + dir.file("doc_1.pdf") + ", so it was not written"}));
}

TEST_F(MixJob, NoTurnWithPagesFailsWritingNothing) {
    request.firstMethod = eachFields("2", "9");
    EXPECT_EQ(errorOf([&] { mix(); }), "Nothing was written: no page was selected");
    EXPECT_EQ(outputs(), Files{});
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MixJob, FailuresBeforeTheFirstFileWriteNothing) {
    struct Case {
        InputFile first, second;
        MixMethodFields firstMethod, secondMethod;
        std::string folder, message;
    };
    const std::string nowhere = dir.file("nowhere") + "/";
    const Case cases[] = {
        {input("missing.pdf"), input("b.pdf"), {}, {}, dir.folder(), "File not found or could not be opened"},
        {input("a.pdf"), input("locked.pdf"), {}, {}, dir.folder(), "Password required or incorrect password"},
        {input("a.pdf"), input("b.pdf"), groupFields("", "1"), {}, dir.folder(), "'' is not a valid integer value"},
        {input("a.pdf"), input("b.pdf"), {}, eachFields("2", "2147483648"), dir.folder(),
         "'2147483648' is not a valid integer value"},
        {input("a.pdf"), input("b.pdf"), {}, groupFields("-1", "1"), dir.folder(),
         "'-1' is not a valid integer value: it must be 0 or more"},
        {input("a.pdf"), input("b.pdf"), {}, {}, nowhere,
         "Cannot create file \"" + nowhere + "doc_1.pdf\". No such file or directory"},
    };
    for (const Case& c : cases) {
        const auto before = fixtures::filesIn(dir.path());
        request.first = c.first;
        request.second = c.second;
        request.firstMethod = c.firstMethod;
        request.secondMethod = c.secondMethod;
        request.destinationFolder = c.folder;
        reporter.positions.clear();
        reporter.progressVisible = false;
        try {
            mix();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::exception& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
        EXPECT_EQ(fixtures::filesIn(dir.path()), before) << "no output and no temporary file: " << c.message;
        // A request that does not check out shows no progress at all.
        const bool checked = c.message.find("integer value") == std::string::npos;
        EXPECT_EQ(reporter.positions.empty(), !checked) << c.message;
        if (checked) {
            EXPECT_EQ(reporter.positions.front(), 0) << c.message;
        }
        EXPECT_EQ(reporter.progressVisible, checked) << c.message;
    }
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(finisher.finished.empty());
}

TEST_F(MixJob, FailureInALaterTurnKeepsTheFilesBeforeIt) {
    request.firstMethod = groupFields("3", "1");
    request.secondMethod = groupFields("1", "1");

    // The second turn's file cannot be created: a folder holds its name.
    std::filesystem::create_directory(dir.file("doc_2.pdf"));
    EXPECT_THROW(mix(), std::runtime_error);
    EXPECT_EQ(markers("doc_1.pdf"), "A1 A2 A3 B1");
    EXPECT_EQ(finisher.finished, (Files{dir.file("doc_1.pdf")}));
    EXPECT_FALSE(fixtures::fileExists(dir.file("doc_3.pdf")));
    std::filesystem::remove(dir.file("doc_2.pdf"));
    std::filesystem::remove(dir.file("doc_1.pdf"));

    // Finishing fails on the second turn: neither that file nor a later one is written.
    FailingFinisher failing(2);
    EXPECT_THROW(mix(failing), std::runtime_error);
    EXPECT_EQ(outputs(), (Files{"doc_1.pdf"}));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(reporter.progressVisible);
}

TEST_F(MixJob, AllTurnsIntoOneFile) {
    struct Case {
        InputFile second;
        MixMethodFields firstMethod, secondMethod;
        bool reverseSecond;
        std::string markers;  // of doc_mixed.pdf, "" for no file
    };
    const Case cases[] = {
        {input("b.pdf"), groupFields("3", "1"), eachFields("1", "1"), false, "A1 A2 A3 B1 A4 A5 A6 B2 A7 A8 B3"},
        {input("b.pdf"), groupFields("4", "1"), groupFields("2", "2"), true, "A1 A2 A3 A4 B3 B2 A5 A6 A7 A8 B1"},
        // The turn of page 0 adds nothing.
        {input("locked.pdf", "pw"), groupFields("4", "0"), groupFields("0", "1"), false, fixtures::markerRun("A", 1, 8)},
        // No page at all: no file, and the job fails saying so.
        {input("b.pdf"), eachFields("2", "9"), groupFields("1", "1"), false, ""},
    };
    request.singleFile = true;
    const std::string mixed = dir.file("doc_mixed.pdf");
    for (const Case& c : cases) {
        request.second = c.second;
        request.firstMethod = c.firstMethod;
        request.secondMethod = c.secondMethod;
        request.reverseSecond = c.reverseSecond;
        finisher.finished.clear();
        reporter.messages.clear();
        std::filesystem::remove(mixed);
        const std::string failure = errorOf([&] { mix(); });

        EXPECT_EQ(outputs(), c.markers.empty() ? Files{} : Files{"doc_mixed.pdf"}) << c.markers;
        if (!c.markers.empty()) {
            EXPECT_EQ(markers("doc_mixed.pdf"), c.markers);
            EXPECT_EQ(finisher.finished, Files{mixed});
            EXPECT_EQ(reporter.messages, Files{});
        } else {
            EXPECT_EQ(failure, "No page was selected for " + mixed + ", so nothing was written");
        }
    }
}

TEST_F(MixJob, DoubleSidedScanBecomesOneDocumentInPageOrder) {
    // A one-sided scanner gives the fronts of three sheets in one file and
    // their backs, last sheet first, in another.
    fixtures::writeMarkedPdf(dir.file("sheets.pdf"), "P", 6);
    const std::pair<std::string, std::vector<int>> scans[] = {{"fronts.pdf", {1, 3, 5}}, {"backs.pdf", {6, 4, 2}}};
    for (const auto& [name, pages] : scans) {
        const PdfDocument sheets = openInput(input("sheets.pdf"), reporter);
        PdfDocument scan = PdfDocument::create();
        appendPages(scan, sheets, pages);
        fixtures::writeFile(dir.file(name), scan.save());
    }
    request.first = input("fronts.pdf");
    request.second = input("backs.pdf");
    request.firstMethod = groupFields("1", "1");
    request.secondMethod = groupFields("1", "1");
    request.baseName = "fronts_";
    request.reverseSecond = true;
    request.singleFile = true;
    mix();

    EXPECT_EQ(markers("fronts_mixed.pdf"), "P1 P2 P3 P4 P5 P6");
    EXPECT_EQ(finisher.finished, Files{dir.file("fronts_mixed.pdf")});
}

TEST_F(MixJob, NeverWritesOverADocumentBeingMixed) {
    const struct {
        std::string secondName;
        bool singleFile;
        Files written;  // before the refusal
    } cases[] = {{"doc_2.pdf", false, {"doc_1.pdf", "doc_2.pdf"}}, {"doc_mixed.pdf", true, {"doc_mixed.pdf"}}};
    for (const auto& c : cases) {
        for (const std::string& name : outputs()) std::filesystem::remove(dir.file(name));
        std::filesystem::copy_file(dir.file("b.pdf"), dir.file(c.secondName));
        request.second = input(c.secondName);
        request.firstMethod = groupFields("3", "1");
        request.singleFile = c.singleFile;
        try {
            mix();
            ADD_FAILURE() << "no error for " << c.secondName;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot create file \"" + dir.file(c.secondName) + "\". It is one of the files the job reads");
        }
        EXPECT_EQ(outputs(), c.written);
        EXPECT_EQ(markers(c.secondName), "B1 B2 B3 B4") << "the document is kept as it was";
    }
}

}  // namespace
