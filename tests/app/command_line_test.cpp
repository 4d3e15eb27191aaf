#include <gtest/gtest.h>

#include <sstream>

#include "app/command_line.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

namespace {

using fixtures::TempDir;
using Lines = std::vector<std::string>;

// Records what the command line does with the window.
class FakeWindow : public CommandLineWindow {
public:
    Lines calls;
    void addSplitFile(const std::string& p) override { calls.push_back("split+" + p); }
    void addMergeFile(const std::string& p) override { calls.push_back("merge+" + p); }
    void showMergeTab() override { calls.push_back("mergeTab"); }
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 1);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    }
    std::optional<int> run(std::vector<std::string> arguments) {
        const SilentJobContext silent{dialogs, [](const std::string& key) { return "<" + key + ">"; }, protection};
        CommandLine commandLine(window, silent, console, [this](const std::string& m) { errors.push_back(m); });
        return commandLine.run(arguments);
    }
    std::string a() const { return dir.file("a.pdf"); }
    std::string b() const { return dir.file("b.pdf"); }

    TempDir dir;
    FakeWindow window;
    ScriptedDialogs dialogs;
    Protection protection;
    std::ostringstream console;
    Lines errors;
};

TEST_F(CommandLineTest, WindowFormsPreloadTheLists) {
    EXPECT_EQ(run({}), std::nullopt);
    EXPECT_TRUE(window.calls.empty());

    EXPECT_EQ(run({"-s", a(), b()}), std::nullopt);
    EXPECT_EQ(window.calls, (Lines{"split+" + a()}));

    window.calls.clear();
    EXPECT_EQ(run({"-m", a(), b()}), std::nullopt);
    EXPECT_EQ(window.calls, (Lines{"merge+" + a(), "merge+" + b(), "mergeTab"}));
    EXPECT_EQ(console.str(), "");
}

TEST_F(CommandLineTest, SilentFormsRunTheJobAndReport) {
    EXPECT_EQ(run({"-qs", a()}), ExitDone);
    EXPECT_EQ(console.str(), "Silent Split operation done.\n");
    EXPECT_EQ(fixtures::markerText(dir.file("a_1.pdf")) + "|" + fixtures::markerText(dir.file("a_2.pdf")), "A1|A2");

    console.str("");
    EXPECT_EQ(run({"-qm", a(), b(), "-o", dir.file("out.pdf"), dir.file("missing.pdf")}), ExitDone);
    EXPECT_EQ(console.str(), "Silent Merge operation done.\n");
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf")), "A1 A2 B1");
    EXPECT_TRUE(window.calls.empty()) << "the silent forms leave the window alone";
    EXPECT_TRUE(dialogs.messages.empty());
}

// A protected input asks for its password as the window would; a file that
// does not open stays out of the job.
TEST_F(CommandLineTest, SilentFormsProbeTheirFilesThroughTheDialogs) {
    protection.outputPassword = "out";
    dialogs.textAnswers = {"pw"};
    EXPECT_EQ(run({"-qm", dir.file("locked.pdf"), a(), "-o", dir.file("out.pdf")}), ExitDone);
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf"), "out"), "L1 L2 A1 A2");
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(dialogs.prompts[0].caption, "<MsgEnterPassw>");

    dialogs.messages.clear();
    EXPECT_EQ(run({"-qs", dir.file("locked.pdf")}), ExitJobFailed);  // the prompt is cancelled
    EXPECT_EQ(dialogs.messages, (Lines{"Password required or incorrect password"}));
    EXPECT_EQ(errors, (Lines{"File not found or could not be opened"}));
    EXPECT_FALSE(fixtures::fileExists(dir.file("locked_1.pdf")));
}

TEST_F(CommandLineTest, JobsThatProduceNothingOrFailExitWithOne) {
    fixtures::writeMarkedPdf(dir.file("empty.pdf"), "E", 0);
    EXPECT_EQ(run({"-qs", dir.file("empty.pdf")}), ExitJobFailed);
    EXPECT_EQ(console.str(), "Silent Split operation done.\n");

    console.str("");
    EXPECT_EQ(run({"-qm", "-o", dir.file("out.pdf")}), ExitJobFailed);
    EXPECT_EQ(console.str(), "Silent Merge operation done.\n");
    EXPECT_EQ(dialogs.messages, (Lines{"<MsgErrAdd2files>"}));

    console.str("");
    const std::string nowhere = dir.file("nowhere/out.pdf");
    EXPECT_EQ(run({"-qm", a(), b(), "-o", nowhere}), ExitJobFailed);
    EXPECT_EQ(console.str(), "") << "no completion line after an error";
    EXPECT_EQ(errors, (Lines{"Cannot create file \"" + nowhere + "\". No such file or directory"}));
}

// Beyond the fifty files of the merge list every file is refused, before
// anybody is asked for its password.
TEST_F(CommandLineTest, SilentMergeKeepsToTheListsFiftyFiles) {
    std::vector<std::string> arguments{"-qm"};
    for (int i = 0; i < 50; ++i) arguments.push_back(b());
    arguments.insert(arguments.end(), {dir.file("locked.pdf"), a(), "-o", dir.file("out.pdf")});
    EXPECT_EQ(run(arguments), ExitDone);
    EXPECT_EQ(fixtures::readMarkers(dir.file("out.pdf")).size(), 50u);
    EXPECT_EQ(dialogs.messages, (Lines{"<MsgErrListFull>", "<MsgErrListFull>"}));
    EXPECT_TRUE(dialogs.prompts.empty());
}

TEST_F(CommandLineTest, UsageErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> arguments;
        std::string line;
    } cases[] = {
        {{"-QS", a()}, "Invalid parameters, please check documentation."},
        {{"/qs", a()}, "Invalid parameters, please check documentation."},
        {{a()}, "Invalid parameters, please check documentation."},
        {{"/remove"}, "Invalid parameters, please check documentation."},
        {{"-s"}, "Aborting, input file does not exist: "},
        {{"-s", dir.path()}, "Aborting, input file does not exist: " + dir.path()},
        {{"-m", a(), "-o", "out.pdf"}, "Aborting, input file does not exist: -o"},
        {{"-qs", dir.file("missing.pdf")}, "Aborting, input file does not exist: " + dir.file("missing.pdf")},
        {{"-qm", a(), b()}, "Output parameter missing, please check documentation."},
        {{"-qm", a(), b(), "-o"}, "Output parameter missing, please check documentation."},
    };
    for (const Case& c : cases) {
        console.str("");
        EXPECT_EQ(run(c.arguments), ExitUsage) << c.line;
        EXPECT_EQ(console.str(), c.line + "\n");
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(CommandLineTest, AMissingFileStopsBeforeLaterOnesAreLookedAt) {
    EXPECT_EQ(run({"-m", a(), dir.file("missing.pdf"), b()}), ExitUsage);
    EXPECT_EQ(window.calls, (Lines{"merge+" + a()}));
}

TEST_F(CommandLineTest, HelpAndVersion) {
    EXPECT_EQ(run({"--help"}), ExitDone);
    EXPECT_NE(console.str().find("-qm FILE... -o OUTPUT"), std::string::npos);
    console.str("");
    EXPECT_EQ(run({"--version"}), ExitDone);
    EXPECT_EQ(console.str(), "Splimera 1.0.0.0\n");
}

}  // namespace
