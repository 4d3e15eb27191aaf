#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "program_run.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

// The file's bytes, or "" once the process it belongs to is gone.
std::string readIfThere(const std::string& path) {
    try {
        return fixtures::readFile(path);
    } catch (const std::exception&) {
        return "";
    }
}

std::string firstLineWith(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    if (at == std::string::npos) return "";
    return text.substr(at, text.find('\n', at) - at);
}

// A job holding a password is seen from outside while it waits to write into
// a FIFO: its core size limit is 0, and it is not dumpable (the system then
// gives the files of its /proc entry to root, also when it runs as another
// user).
TEST(CoreDumps, AreOffWhileAJobHoldsAPassword) {
    TempDir dir, config;
    for (const TempDir* folder : {&dir, &config}) ::chmod(folder->path().c_str(), 0777);
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 1);
    fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 1);
    ::mkfifo(dir.file("out").c_str(), 0666);
    ::chmod(dir.file("out").c_str(), 0666);
    std::string limit, owner = "(not seen)", written;
    const fixtures::ProcessResult result = runProgram(
        {"merge", "a.pdf", "b.pdf", "-o", "out", "--output-password", "s3cret"}, dir.path(), config.path(),
        [] {
            if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(125);
        },
        [&](pid_t program) {
            const std::string proc = "/proc/" + std::to_string(program);
            if (!written.empty() || readIfThere(proc + "/wchan") != "wait_for_partner") return;
            limit = firstLineWith(readIfThere(proc + "/limits"), "Max core file size");
            struct stat status {};
            if (::stat((proc + "/status").c_str(), &status) == 0) owner = std::to_string(status.st_uid);
            written = fixtures::readFile(dir.file("out"));
        });
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(limit.substr(0, limit.find_last_not_of(' ') + 1),
              "Max core file size        0                    0                    bytes");
    EXPECT_EQ(owner, "0");
    EXPECT_EQ(written.compare(0, 5, "%PDF-"), 0);
}

}  // namespace
