#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/pdf_error.h"
#include "finishing/output_finisher.h"
#include "jobs/job_finishing.h"
#include "jobs/merge_job.h"
#include "jobs/split_job.h"
#include "finishing/test_pictures.h"
#include "support/finish_file.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/process.h"
#include "support/recording_reporter.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_application.h"
#include "ui/window_controls.h"

namespace {

using fixtures::TempDir;
namespace fs = std::filesystem;

// Every regular file under a folder with its bytes, hidden ones included, so
// that a test sees both a changed input and a temporary file left behind.
std::map<std::string, std::string> contentsOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = fixtures::readFile(entry.path());
    return files;
}

std::string failureOf(const std::function<void()>& job) {
    try {
        job();
        return "";
    } catch (const std::exception& error) {
        return error.what();
    }
}

class NoFileLost : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
    }
    std::string merge(const std::string& output) {
        MergeRequest request;
        request.inputs = {{"a.pdf", dir.folder(), ""}, {"b.pdf", dir.folder(), ""}};
        request.outputPath = output;
        return failureOf([&] { runMerge(request, reporter); });
    }
    std::string split(const std::string& destination, const std::string& baseName = "part_") {
        SplitRequest request;
        request.input = {"a.pdf", dir.folder(), ""};
        request.baseName = baseName;
        request.destinationFolder = destination;
        return failureOf([&] { runSplit(request, reporter); });
    }

    TempDir dir;
    RecordingReporter reporter;
};

// Finishing that cannot be done leaves the target exactly as it was, absent
// or with its old bytes: a file meant to be protected never appears
// unprotected, and no temporary file stays.
TEST_F(NoFileLost, FinishingFailuresLeaveTheTargetAsItWas) {
    fixtures::writeFile(dir.file("notes.png"), "not a picture");
    pictures::writePng(dir.file("mark.png"), {});
    // Fails half-way through writing a finished output, as a full disk would.
    class FailingWrite : public OutputFinisher {
    public:
        using OutputFinisher::OutputFinisher;
        void writeFinished(const NewOutput& output, std::FILE* file) override {
            OutputFinisher::writeFinished(output, file);
            throw std::runtime_error("No space left on device");
        }
    };
    struct Case {
        const char* what;
        Protection protection;
        std::string message;
        bool failWriting = false;
    } cases[] = {
        {"bad picture", {"pw", dir.file("notes.png"), "10", "10"},
         "Cannot load the watermark picture \"" + dir.file("notes.png") + "\": not a PNG or JPEG picture"},
        {"stored picture missing", {"pw", dir.file("moved.png"), "10", "10"},
         "Cannot load the watermark picture \"" + dir.file("moved.png") + "\": No such file or directory"},
        {"bad stored position", {"pw", dir.file("mark.png"), "abc", "10"},
         "Watermark position X: 'abc' is not a valid integer value for Integer type"},
        {"write error", {"pw", dir.file("mark.png"), "10", "10"},
         "Cannot write file \"" + dir.file("out.pdf") + "\": No space left on device", true},
    };
    for (const Case& c : cases) {
        for (const bool present : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (present ? ", target present" : ", target absent"));
            fs::remove(dir.file("out.pdf"));
            if (present) fixtures::writeFile(dir.file("out.pdf"), "old contents");
            const auto before = contentsOf(dir.path());
            MergeRequest request;
            request.inputs = {{"a.pdf", dir.folder(), ""}, {"b.pdf", dir.folder(), ""}};
            request.outputPath = dir.file("out.pdf");
            request.protection = c.protection;
            FailingWrite failing(c.protection, "Splimera");
            const std::string failure = failureOf([&] {
                if (c.failWriting)
                    runMerge(request, reporter, failing);
                else
                    runMerge(request, reporter);
            });
            EXPECT_EQ(failure, c.message);
            EXPECT_EQ(contentsOf(dir.path()), before);
        }
    }
}

// The output is one of the inputs, however the path spells it: the job
// refuses before anything is written.
TEST_F(NoFileLost, MergeIntoOneOfItsInputsIsRefused) {
    fs::create_directory(dir.file("sub"));
    fs::create_symlink(dir.file("b.pdf"), dir.file("link-to-b.pdf"));
    const auto before = contentsOf(dir.path());
    for (const std::string& output : {dir.file("a.pdf"), dir.file("sub/../b.pdf"), dir.file("link-to-b.pdf")}) {
        SCOPED_TRACE(output);
        EXPECT_EQ(merge(output), "Cannot create file \"" + output + "\". It is one of the files the job reads");
        EXPECT_EQ(contentsOf(dir.path()), before);
    }
}

TEST_F(NoFileLost, MergeIntoOneOfItsInputsIsRefusedByTheWindowAndTheCommandLine) {
    const auto before = contentsOf(dir.path());
    ensureQtApplication();
    ScriptedDialogs dialogs;
    {
        MainWindow window(dialogs);
        dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
        control<QToolButton>(window, "mergeBtnAddFile")->click();
        control<QLineEdit>(window, "merge_destination_filename")->setText(QString::fromStdString(dir.file("b.pdf")));
        dialogs.questionAnswers = {true};  // replace the existing b.pdf
        QSignalSpy finished(&window, &MainWindow::jobFinished);
        control<QPushButton>(window, "cmd_merge")->click();
        ASSERT_TRUE(finished.wait(60000));
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("It is one of the files the job reads"), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(contentsOf(dir.path()), before);

    TempDir config;
    const fixtures::ProcessResult result =
        fixtures::runSplimera({"-qm", "a.pdf", "b.pdf", "-o", "a.pdf"}, dir.path(), config.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("It is one of the files the job reads"), std::string::npos) << result.err;
    EXPECT_EQ(contentsOf(dir.path()), before);
}

// A base name that makes the second output the input's own name: the first
// file is written, the job stops at the second, the input stays whole.
TEST_F(NoFileLost, SplitStopsBeforeAnOutputNamedLikeItsInput) {
    fs::rename(dir.file("a.pdf"), dir.file("part_2.pdf"));
    const std::string input = fixtures::readFile(dir.file("part_2.pdf"));
    SplitRequest request;
    request.input = {"part_2.pdf", dir.folder(), ""};
    request.baseName = "part_";
    request.destinationFolder = dir.folder();
    EXPECT_EQ(failureOf([&] { runSplit(request, reporter); }),
              "Cannot create file \"" + dir.file("part_2.pdf") + "\". It is one of the files the job reads");
    EXPECT_EQ(fixtures::readFile(dir.file("part_2.pdf")), input);
    EXPECT_EQ(fixtures::markerText(dir.file("part_1.pdf")), "A1");
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"b.pdf", "part_1.pdf", "part_2.pdf"}));

    TempDir config;
    const fixtures::ProcessResult result =
        fixtures::runSplimera({"split", "part_2.pdf", "--name", "part_", "--to", "."}, dir.path(), config.path());
    EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
    EXPECT_NE(result.err.find("It is one of the files the job reads"), std::string::npos) << result.err;
    EXPECT_EQ(fixtures::readFile(dir.file("part_2.pdf")), input);
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"b.pdf", "part_1.pdf", "part_2.pdf"}));
}

// Folders nobody can write into, the superuser included: a regular file
// where the folder should be, and a folder of the kernel's own.
TEST_F(NoFileLost, AnOutputFolderThatCannotTakeFilesEndsTheJobCleanly) {
    fixtures::writeFile(dir.file("not-a-folder"), "plain file");
    const auto before = contentsOf(dir.path());
    const struct {
        std::string folder, reason;
    } cases[] = {{dir.file("not-a-folder") + "/", "Not a directory"}, {"/proc/", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        for (const std::string& failure : {merge(c.folder + "out.pdf"), split(c.folder)}) {
            EXPECT_EQ(failure.rfind("Cannot create file \"" + c.folder, 0), 0u) << failure;
            EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
        }
        EXPECT_EQ(contentsOf(dir.path()), before);
    }
}

// Permission bits of the folder: they stop everyone but the superuser, for
// whom the kernel ignores them, so the case says so and skips there.
TEST_F(NoFileLost, AReadOnlyOutputFolderEndsTheJobCleanly) {
    fs::create_directory(dir.file("locked"));
    ::chmod(dir.file("locked").c_str(), 0555);
    if (::access(dir.file("locked").c_str(), W_OK) == 0)
        GTEST_SKIP() << "running as the superuser: folder permission bits do not stop writing";
    const auto before = contentsOf(dir.path());
    EXPECT_EQ(merge(dir.file("locked/out.pdf")),
              "Cannot create file \"" + dir.file("locked/out.pdf") + "\". Permission denied");
    EXPECT_NE(split(dir.folder() + "locked/"), "");
    EXPECT_EQ(contentsOf(dir.path()), before);
}

// An existing output without write bits is not replaced, by the job's save
// or by finishing, whoever runs the program.
TEST_F(NoFileLost, AnExistingReadOnlyOutputStaysAsItWas) {
    fixtures::writeMarkedPdf(dir.file("out.pdf"), "O", 1);
    fixtures::writeMarkedPdf(dir.file("part_1.pdf"), "O", 1);
    for (const char* name : {"out.pdf", "part_1.pdf"}) ::chmod(dir.file(name).c_str(), 0444);
    const auto before = contentsOf(dir.path());

    EXPECT_EQ(merge(dir.file("out.pdf")), "Cannot create file \"" + dir.file("out.pdf") + "\". Permission denied");
    EXPECT_EQ(split(dir.folder()), "Cannot create file \"" + dir.file("part_1.pdf") + "\". Permission denied");
    EXPECT_EQ(failureOf([&] { fixtures::finishFile(finisherFor({}), dir.file("out.pdf")); }),
              "Cannot create file \"" + dir.file("out.pdf") + "\". Permission denied");
    EXPECT_EQ(contentsOf(dir.path()), before);
}

}  // namespace

namespace {

// Names with blanks, quotes, letters beyond ASCII and a leading "-" reach the
// program as they are; "--" ends the options of a job command.
TEST(AwkwardNames, ReachTheProgramsJobsAsTheyAre) {
    TempDir dir, config;
    const std::vector<std::string> names = {"with blanks.pdf", "quotes \"double\" 'single'.pdf", "Übersicht-日本.pdf",
                                            "-leading-dash.pdf"};
    for (std::size_t i = 0; i < names.size(); ++i)
        fixtures::writeMarkedPdf(dir.file(names[i]), std::string(1, static_cast<char>('A' + i)), 1);
    const auto run = [&](const std::vector<std::string>& arguments) {
        return fixtures::runSplimera(arguments, dir.path(), config.path());
    };

    fixtures::ProcessResult result = run({"-qm", names[0], names[1], names[2], names[3], "-o", "-merged by -qm.pdf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(fixtures::markerText(dir.file("-merged by -qm.pdf")), "A1 B1 C1 D1");

    result = run({"merge", "--", names[3], names[2], "-o", "merged.pdf"});
    EXPECT_NE(result.exitCode, 0) << "after \"--\", \"-o\" is a file name too";
    result = run({"merge", "-o", "merged.pdf", "--", names[3], names[2]});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(fixtures::markerText(dir.file("merged.pdf")), "D1 C1");

    result = run({"split", "--", names[3]});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(fixtures::markerText(dir.file("-leading-dash_1.pdf")), "D1");
    result = run({"split", names[3]});
    EXPECT_EQ(result.exitCode, 2) << "without \"--\" the name is an unknown option";
}

}  // namespace
