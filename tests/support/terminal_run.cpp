#include "support/terminal_run.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "support/process.h"

namespace fixtures {

TerminalRun runOnTerminal(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& configHome, const std::string& typed, int timeoutSeconds) {
    const std::vector<std::string> environment = programEnvironment(configHome);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) return {-1, "forkpty failed"};
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        execSplimera(arguments, environment);
    }
    TerminalRun result;
    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    for (;;) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            result.screen += "(killed after " + std::to_string(timeoutSeconds) + " s)";
            break;
        }
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got <= 0) break;  // the program and its terminal are gone
        result.screen.append(buffer, static_cast<std::size_t>(got));
        if (!answered && result.screen.find("Password for ") != std::string::npos) {
            const std::string line = typed + "\n";
            answered = write(terminal, line.data(), line.size()) == static_cast<ssize_t>(line.size());
        }
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace fixtures
