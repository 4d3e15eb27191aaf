#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/command_line.h"
#include "app/silent_switches.h"
#include "app/window_switches.h"
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
    void showMessageWhenOpen(const std::string& text) override { calls.push_back("message:" + text); }
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 1);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    }
    std::optional<int> runWindow(const std::vector<std::string>& arguments) {
        return WindowSwitches(window, console, errors).run(arguments);
    }
    int runSilent(const std::vector<std::string>& arguments) {
        const auto translate = [](const std::string& key) { return "<" + key + ">"; };
        auto probe = std::make_shared<InputProbe>(dialogs, translate);
        const SilentJobContext context{dialogs, translate, protection,
                                       [probe](const std::string& path) { return probe->probe(path); }};
        return SilentSwitches(context, console, errors, [this](const std::string& m) { applicationErrors.push_back(m); })
            .run(arguments);
    }
    std::string a() const { return dir.file("a.pdf"); }
    std::string b() const { return dir.file("b.pdf"); }

    TempDir dir;
    FakeWindow window;
    ScriptedDialogs dialogs;
    Protection protection;
    std::ostringstream console, errors;
    Lines applicationErrors;
};

TEST_F(CommandLineTest, WindowFormsPreloadTheLists) {
    EXPECT_EQ(runWindow({}), std::nullopt);
    EXPECT_TRUE(window.calls.empty());

    EXPECT_EQ(runWindow({"-s", a(), b()}), std::nullopt);
    EXPECT_EQ(window.calls, (Lines{"split+" + a()}));
    EXPECT_EQ(errors.str(), "Ignored argument after the file of -s: " + b() + "\n");

    window.calls.clear();
    EXPECT_EQ(runWindow({"-m", a(), b()}), std::nullopt);
    EXPECT_EQ(window.calls, (Lines{"merge+" + a(), "merge+" + b(), "mergeTab"}));
    EXPECT_EQ(console.str(), "");
}

// The lists show the folder of a file named from the current folder, and its
// outputs go there whatever folder the window is in later.
TEST_F(CommandLineTest, RelativeNamesReachTheWindowAbsolute) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::create_directories(dir.file("sub"));
    fixtures::writeMarkedPdf(dir.file("sub/c.pdf"), "C", 1);
    std::filesystem::current_path(dir.path());
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(runWindow({"-s", "./a.pdf"}), std::nullopt);
    EXPECT_EQ(runWindow({"-m", "b.pdf", "sub/./c.pdf", a()}), std::nullopt);
    std::filesystem::current_path(before);
    EXPECT_EQ(window.calls, (Lines{"split+" + here + "/a.pdf", "merge+" + here + "/b.pdf", "merge+" + here + "/sub/c.pdf",
                                   "merge+" + a(), "mergeTab"}));
}

// Whoever opened files from a file manager sees no console: the window opens
// with the others, and one message lists what was left out.
TEST_F(CommandLineTest, MergeFilesThatCannotBeReadAreListedInOneMessage) {
    EXPECT_EQ(runWindow({"-m", a(), dir.file("missing.pdf"), dir.path(), b()}), std::nullopt);
    EXPECT_EQ(window.calls, (Lines{"merge+" + a(), "merge+" + b(), "mergeTab",
                                   "message:These files were not added to the Merge list:\n" + dir.file("missing.pdf") +
                                       ": does not exist\n" + dir.path() + ": is not a regular file"}));
    EXPECT_EQ(console.str(), "");
}

TEST_F(CommandLineTest, SilentFormsRunTheJobAndReport) {
    EXPECT_EQ(runSilent({"-qs", a()}), ExitDone);
    EXPECT_EQ(console.str(), "Silent Split operation done.\n");
    EXPECT_EQ(fixtures::markerText(dir.file("a_1.pdf")) + "|" + fixtures::markerText(dir.file("a_2.pdf")), "A1|A2");

    console.str("");
    EXPECT_EQ(runSilent({"-qm", a(), b(), "-o", dir.file("out.pdf"), dir.file("missing.pdf")}), ExitDone);
    EXPECT_EQ(console.str(), "Silent Merge operation done.\n");
    EXPECT_EQ(errors.str(), "Ignored argument after the output of -qm: " + dir.file("missing.pdf") + "\n");
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf")), "A1 A2 B1");
    EXPECT_TRUE(dialogs.messages.empty());
}

// A protected input asks for its password as the window would; a file that
// does not open stays out of the job.
TEST_F(CommandLineTest, SilentFormsProbeTheirFilesThroughTheDialogs) {
    protection.outputPassword = "out";
    dialogs.textAnswers = {"pw"};
    EXPECT_EQ(runSilent({"-qm", dir.file("locked.pdf"), a(), "-o", dir.file("out.pdf")}), ExitDone);
    EXPECT_EQ(fixtures::markerText(dir.file("out.pdf"), "out"), "L1 L2 A1 A2");
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(dialogs.prompts[0].caption, "<MsgEnterPassw>");

    dialogs.messages.clear();
    EXPECT_EQ(runSilent({"-qs", dir.file("locked.pdf")}), ExitJobFailed);  // the prompt is cancelled
    EXPECT_TRUE(dialogs.messages.empty()) << "the prompt names the file";
    EXPECT_EQ(dialogs.prompts.size(), 2u);
    EXPECT_EQ(applicationErrors, Lines{});
    EXPECT_FALSE(fixtures::fileExists(dir.file("locked_1.pdf")));
}

TEST_F(CommandLineTest, JobsThatProduceNothingOrFailExitWithOne) {
    fixtures::writeMarkedPdf(dir.file("empty.pdf"), "E", 0);
    EXPECT_EQ(runSilent({"-qs", dir.file("empty.pdf")}), ExitJobFailed);
    EXPECT_EQ(console.str(), "");
    EXPECT_EQ(applicationErrors, Lines{"The file has no page that can be taken: " + dir.file("empty.pdf")});
    applicationErrors.clear();

    // A merge that cannot read one of its files writes nothing.
    fixtures::writeFile(dir.file("broken.pdf"), "not a PDF");
    EXPECT_EQ(runSilent({"-qm", a(), dir.file("broken.pdf"), "-o", dir.file("out.pdf")}), ExitJobFailed);
    EXPECT_EQ(console.str(), "");
    EXPECT_FALSE(fixtures::fileExists(dir.file("out.pdf")));
    dialogs.messages.clear();

    console.str("");
    EXPECT_EQ(runSilent({"-qm", "-o", dir.file("out.pdf")}), ExitJobFailed);
    EXPECT_EQ(console.str(), "Silent Merge operation done.\n");
    EXPECT_EQ(dialogs.messages, (Lines{"<MsgErrAdd2files>"}));

    console.str("");
    const std::string nowhere = dir.file("nowhere/out.pdf");
    EXPECT_EQ(runSilent({"-qm", a(), b(), "-o", nowhere}), ExitJobFailed);
    EXPECT_EQ(console.str(), "") << "no completion line after an error";
    EXPECT_EQ(applicationErrors, (Lines{"Cannot create file \"" + nowhere + "\". No such file or directory"}));
}

// Beyond the fifty files of the merge list every file is refused, before
// anybody is asked for its password.
TEST_F(CommandLineTest, SilentMergeKeepsToTheListsFiftyFiles) {
    std::vector<std::string> arguments{"-qm"};
    for (int i = 0; i < 50; ++i) arguments.push_back(b());
    arguments.insert(arguments.end(), {dir.file("locked.pdf"), a(), "-o", dir.file("out.pdf")});
    EXPECT_EQ(runSilent(arguments), ExitDone);
    EXPECT_EQ(fixtures::readMarkers(dir.file("out.pdf")).size(), 50u);
    EXPECT_EQ(dialogs.messages, (Lines{"<MsgErrListFull>", "<MsgErrListFull>"}));
    EXPECT_TRUE(dialogs.prompts.empty());
}

// Every form stops at a file it cannot read, before it opens anything: a
// FIFO would block the open.
TEST_F(CommandLineTest, SwitchesRefuseFilesTheyCannotRead) {
    const std::string missing = dir.file("missing.pdf");
    struct Case {
        std::vector<std::string> arguments;
        std::string line;
    } cases[] = {
        {{"-s"}, "Aborting, input file does not exist: "},
        {{"-s", dir.path()}, "Aborting, input file is not a regular file: " + dir.path()},
        {{"-qs", missing}, "Aborting, input file does not exist: " + missing},
        {{"-qs", dir.path()}, "Aborting, input file is not a regular file: " + dir.path()},
        {{"-qm", a(), dir.path(), "-o", dir.file("out.pdf")}, "Aborting, input file is not a regular file: " + dir.path()},
        {{"-qm", a(), "-o"}, "Output parameter missing, please check documentation."},
    };
    for (const Case& c : cases) {
        console.str("");
        const int exitCode = c.arguments[0] == "-s" ? runWindow(c.arguments).value_or(-1) : runSilent(c.arguments);
        EXPECT_EQ(exitCode, ExitUsage) << c.line;
        EXPECT_EQ(console.str(), c.line + "\n");
    }
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(dialogs.prompts.empty() && dialogs.messages.empty());
    EXPECT_FALSE(fixtures::fileExists(dir.file("out.pdf")));
}

TEST(CommandLineAnswers, HelpVersionAndWhatIsNoSwitch) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {{"--version"}, ExitDone, "Splimera 1.0.0.0\n", ""},
        {{"-V", "x"}, ExitDone, "Splimera 1.0.0.0\n", "Ignored argument after -V: x\n"},
        {{"-QS", "a.pdf"}, ExitUsage, "Invalid parameters, please check documentation.\n",
         "'-QS' is not a switch or command. Run 'splimera --help' for usage.\n"},
        {{"/remove"}, ExitDone, "", ""},
        {{" /remove\t", "x"}, ExitDone, "", ""},
        {{"/REMOVE"}, ExitUsage, "Invalid parameters, please check documentation.\n",
         "'/REMOVE' is not a switch or command. Run 'splimera --help' for usage.\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(answerCommandLine(c.arguments, out, err), c.exitCode) << c.arguments[0];
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
    for (const char* help : {"--help", "-h"}) {
        std::ostringstream out, err;
        EXPECT_EQ(answerCommandLine({help}, out, err), ExitDone);
        EXPECT_NE(out.str().find("-qm FILE... -o OUTPUT"), std::string::npos);
        EXPECT_NE(out.str().find("--password-file FILE"), std::string::npos);
        EXPECT_EQ(err.str(), "");
    }
}

}  // namespace
