#include "support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "support/fixtures.h"

extern char** environ;

namespace fixtures {

std::vector<std::string> programEnvironment(const std::string& configHome,
                                            const std::map<std::string, std::string>& extraEnvironment) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("DISPLAY=", 0) == 0 || text.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
            text.rfind("XDG_CONFIG_HOME=", 0) == 0 || text.rfind("HOME=", 0) == 0 ||
            text.rfind("QT_QPA_PLATFORM=", 0) == 0 || text.rfind("XDG_RUNTIME_DIR=", 0) == 0)
            continue;
        environment.push_back(text);
    }
    environment.push_back("XDG_CONFIG_HOME=" + configHome);
    environment.push_back("HOME=" + configHome);
    for (const auto& [name, value] : extraEnvironment) environment.push_back(name + "=" + value);
    return environment;
}

void execSplimera(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
    const std::string program = programFolder() + "/splimera";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
}

ProcessResult runSplimera(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& configHome, int timeoutSeconds,
                          const std::map<std::string, std::string>& extraEnvironment,
                          const std::string& standardInput) {
    TempDir capture;
    const std::string outPath = capture.file("out"), errPath = capture.file("err");

    const std::vector<std::string> environment = programEnvironment(configHome, extraEnvironment);

    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open(standardInput.c_str(), O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execSplimera(arguments, environment);
    }
    ProcessResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            result.err = "(killed after " + std::to_string(timeoutSeconds) + " s)";
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

}  // namespace fixtures
