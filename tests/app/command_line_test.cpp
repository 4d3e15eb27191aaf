#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "app/command_line.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

// Records the calls the command line makes on the window.
class FakeHost : public CommandLineHost {
public:
    std::vector<std::string> calls;
    int splitFiles = 1;
    bool mergeResult = true;
    bool failJob = false;

    void setCommandLine(bool v) override { calls.push_back(std::string("commandLine=") + (v ? "1" : "0")); }
    void setCommandLineSilent(bool v) override { calls.push_back(std::string("silent=") + (v ? "1" : "0")); }
    void addSplitFile(const std::string& p) override { calls.push_back("split+" + p); }
    void addMergeFile(const std::string& p) override { calls.push_back("merge+" + p); }
    void setMergeDestination(const std::string& p) override { calls.push_back("output=" + p); }
    void showMergeTab() override { calls.push_back("mergeTab"); }
    int runSplit() override {
        calls.push_back("runSplit");
        if (failJob) throw std::runtime_error("Cannot split");
        return splitFiles;
    }
    bool runMerge() override {
        calls.push_back("runMerge");
        if (failJob) throw std::runtime_error("Cannot merge");
        return mergeResult;
    }
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeFile(dir.file("a.pdf"), "x");
        fixtures::writeFile(dir.file("b.pdf"), "x");
    }
    std::optional<int> run(std::vector<std::string> arguments) {
        CommandLine commandLine(host, console, [this](const std::string& m) { errors.push_back(m); });
        return commandLine.run(arguments);
    }
    std::string a() const { return dir.file("a.pdf"); }
    std::string b() const { return dir.file("b.pdf"); }

    TempDir dir;
    FakeHost host;
    std::ostringstream console;
    std::vector<std::string> errors;
};

TEST_F(CommandLineTest, WindowFormsPreloadTheLists) {
    EXPECT_EQ(run({}), std::nullopt);
    EXPECT_TRUE(host.calls.empty());

    EXPECT_EQ(run({"-s", a(), b()}), std::nullopt);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"commandLine=1", "split+" + a()}));

    host.calls.clear();
    EXPECT_EQ(run({"-m", a(), b()}), std::nullopt);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"commandLine=1", "merge+" + a(), "merge+" + b(), "mergeTab"}));
    EXPECT_EQ(console.str(), "");
}

TEST_F(CommandLineTest, SilentFormsRunTheJobAndReport) {
    EXPECT_EQ(run({"-qs", a()}), kExitDone);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"commandLine=1", "split+" + a(), "silent=1", "runSplit"}));
    EXPECT_EQ(console.str(), "Silent Split operation done.\n");

    host.calls.clear();
    console.str("");
    EXPECT_EQ(run({"-qm", a(), b(), "-o", "out.pdf", dir.file("missing.pdf")}), kExitDone);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"commandLine=1", "merge+" + a(), "merge+" + b(), "output=out.pdf",
                                                    "silent=1", "runMerge"}));
    EXPECT_EQ(console.str(), "Silent Merge operation done.\n");
}

TEST_F(CommandLineTest, JobsThatProduceNothingOrFailExitWithOne) {
    host.splitFiles = 0;
    EXPECT_EQ(run({"-qs", a()}), kExitJobFailed);
    EXPECT_EQ(console.str(), "Silent Split operation done.\n");

    console.str("");
    host.mergeResult = false;  // the merge showed its too-few-files message
    EXPECT_EQ(run({"-qm", "-o", "out.pdf"}), kExitJobFailed);
    EXPECT_EQ(console.str(), "Silent Merge operation done.\n");

    console.str("");
    host.failJob = true;
    EXPECT_EQ(run({"-qm", a(), b(), "-o", "out.pdf"}), kExitJobFailed);
    EXPECT_EQ(console.str(), "") << "no completion line after an error";
    EXPECT_EQ(errors, (std::vector<std::string>{"Cannot merge"}));
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
        {{"-qm", a(), b()}, "Output parameter missing, please check documentation."},
        {{"-qm", a(), b(), "-o"}, "Output parameter missing, please check documentation."},
    };
    for (const Case& c : cases) {
        console.str("");
        EXPECT_EQ(run(c.arguments), kExitUsage) << c.line;
        EXPECT_EQ(console.str(), c.line + "\n");
    }
}

TEST_F(CommandLineTest, AMissingFileStopsBeforeLaterOnesAreLookedAt) {
    EXPECT_EQ(run({"-m", a(), dir.file("missing.pdf"), b()}), kExitUsage);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"commandLine=1", "merge+" + a()}));
}

TEST_F(CommandLineTest, HelpAndVersion) {
    EXPECT_EQ(run({"--help"}), kExitDone);
    EXPECT_NE(console.str().find("-qm FILE... -o OUTPUT"), std::string::npos);
    console.str("");
    EXPECT_EQ(run({"--version"}), kExitDone);
    EXPECT_EQ(console.str().rfind("Splimera 1.", 0), 0u);
}

}  // namespace
