#include "program_run.h"

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/fixtures.h"

fixtures::ProcessResult runProgram(const std::vector<std::string>& arguments, const std::string& folder,
                                   const std::string& configHome, const std::function<void()>& beforeStart,
                                   const std::function<void(pid_t)>& whileRunning, int timeoutSeconds) {
    fixtures::TempDir capture;
    const std::vector<std::string> environment = fixtures::programEnvironment(configHome);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(126);
        const int out = ::open(capture.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(capture.file("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::close(out);
        ::close(err);
        if (beforeStart) beforeStart();
        fixtures::execSplimera(arguments, environment);
    }
    fixtures::ProcessResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.err = "(killed after " + std::to_string(timeoutSeconds) + " s)";
            return result;
        }
        if (whileRunning) whileRunning(child);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = fixtures::readFile(capture.file("out"));
    result.err = fixtures::readFile(capture.file("err"));
    return result;
}
