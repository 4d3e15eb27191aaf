#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "base/platform_files.h"
#include "child_run.h"
#include "finishing/output_landing.h"
#include "support/fixtures.h"
#include "program_run.h"

namespace {

using fixtures::TempDir;

constexpr int Pages = 600;

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
        // The signal goes once the first output has landed.
        bool sent = false;
        const fixtures::ProcessResult run =
            runProgram({"split", inputs.file("big.pdf"), "--to", folder.path()}, folder.path(), scratch.path(), nullptr,
                       [&](pid_t program) {
                           if (!sent && std::filesystem::exists(folder.file("big_001.pdf")))
                               sent = ::kill(program, c.signal) == 0;
                       });
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
