#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/platform_files.h"
#include "child_run.h"
#include "finishing/output_landing.h"
#include "support/fixtures.h"
#include "support/process.h"

namespace {

using fixtures::TempDir;

constexpr int Pages = 600;

struct Interrupted {
    int exitCode = -1;
    std::string out, err;
};

// Runs a split of `input` into one-page files in `folder`, sends `signal` once
// the first of them has landed, and waits for the program to end.
Interrupted splitInterruptedBy(int signal, const std::string& input, const std::string& folder,
                               const TempDir& scratch) {
    const std::vector<std::string> environment = fixtures::programEnvironment(scratch.path());
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(scratch.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(scratch.file("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(err, 2);
        fixtures::execSplimera({"split", input, "--to", folder}, environment);
    }
    Interrupted result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool sent = false;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return result;
        }
        if (!sent && std::filesystem::exists(folder + "/big_001.pdf")) sent = ::kill(child, signal) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(sent ? 10 : 1));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = fixtures::readFile(scratch.file("out"));
    result.err = fixtures::readFile(scratch.file("err"));
    return result;
}

TEST(Interruption, ASignalStopsAJobAfterTheOutputItWritesAndLeavesEveryFileWhole) {
    TempDir inputs;
    fixtures::writeMarkedPdf(inputs.file("big.pdf"), "P", Pages);
    const struct Case {
        int signal;
        const char* name;
        int exitCode;
    } cases[] = {{SIGINT, "SIGINT", 130}, {SIGTERM, "SIGTERM", 143}, {SIGHUP, "SIGHUP", 129}};
    for (const Case& c : cases) {
        TempDir folder, scratch;
        const Interrupted run = splitInterruptedBy(c.signal, inputs.file("big.pdf"), folder.path(), scratch);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << run.err;
        // The listing names every file there, and nothing else is there.
        std::vector<std::string> listed;
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);)
            listed.push_back(std::filesystem::path(line.substr(0, line.find(" ("))).filename().string());
        const std::vector<std::string> present = fixtures::filesIn(folder.path());
        EXPECT_EQ(present, listed) << c.name;
        EXPECT_LT(present.size(), static_cast<std::size_t>(Pages)) << c.name << ": the job did not stop";
        EXPECT_EQ(run.err, "Stopped by " + std::string(c.name) + ": " + std::to_string(listed.size()) + " of " +
                               std::to_string(Pages) + " files written\n")
            << c.name;
        for (std::size_t i = 0; i < present.size(); ++i)
            ASSERT_EQ(fixtures::markerText(folder.file(present[i])), "P" + std::to_string(i + 1)) << present[i];
    }
}

TEST(Interruption, AProcessThatDiesAfterStagingLeavesNothingWhereStagedFilesAreUnnamed) {
    TempDir dir;
    if (!StagedFile::inFolder(dir.path()).isUnnamed()) GTEST_SKIP() << "this file system has no unnamed files";
    const std::string ending = runInChild(
        [&] {
            OutputLanding landing(nullptr);
            for (const char* name : {"1.pdf", "2.pdf", "3.pdf"})
                landing.stage({dir.file(name)}, [](std::FILE* file) { std::fputs("whole", file); });
            std::abort();  // before anything landed
            return std::string();
        },
        30);
    EXPECT_EQ(ending.rfind("crashed with signal", 0), 0u) << ending;
    EXPECT_EQ(fixtures::filesIn(dir.path()), std::vector<std::string>{});
}

}  // namespace
