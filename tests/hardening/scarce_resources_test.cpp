#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>
#include <thread>

#include "child_run.h"
#include "finishing/output_landing.h"
#include "program_run.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

// Under a process limit no flushing thread starts: the job's own thread
// flushes, and every output lands whole.
TEST(ScarceResources, AFlushThreadThatCannotStartLeavesTheFlushToTheJob) {
    TempDir dir;
    ::chmod(dir.path().c_str(), 0777);
    const std::string ending = runInChild(
        [&] {
            // The limit does not hold for root: the child becomes nobody.
            if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return std::string("cannot leave root");
            const rlimit one{1, 1};
            if (::setrlimit(RLIMIT_NPROC, &one) != 0) return std::string("cannot limit processes");
            try {
                std::thread([] {}).join();
                return std::string("threads still start");
            } catch (const std::system_error&) {
            }
            OutputLanding landing(nullptr);
            for (const char* name : {"1.pdf", "2.pdf", "3.pdf"})
                landing.stage({dir.file(name)}, [&](std::FILE* file) { std::fputs(name, file); });
            landing.land();
            return std::string("landed");
        },
        30);
    EXPECT_EQ(ending, "landed");
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"1.pdf", "2.pdf", "3.pdf"}));
    for (const char* name : {"1.pdf", "2.pdf", "3.pdf"}) EXPECT_EQ(fixtures::readFile(dir.file(name)), name);
}

// A split into many files holds no more staged files open than the process
// may open.
TEST(ScarceResources, ASplitUnderALowDescriptorLimitWritesEveryFile) {
    TempDir dir, config;
    constexpr int Pages = 300;
    fixtures::writeMarkedPdf(dir.file("many.pdf"), "M", Pages);
    ::mkdir(dir.file("out").c_str(), 0755);
    const fixtures::ProcessResult result = runProgram(
        {"split", "many.pdf", "--to", "out", "--quiet"}, dir.path(), config.path(),
        [] {
            const rlimit few{64, 64};
            ::setrlimit(RLIMIT_NOFILE, &few);
        },
        nullptr);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> written = fixtures::filesIn(dir.file("out"));
    ASSERT_EQ(written.size(), static_cast<std::size_t>(Pages)) << result.err;
    EXPECT_EQ(fixtures::markerText(dir.file("out/" + written.back())), "M" + std::to_string(Pages));
}

}  // namespace
