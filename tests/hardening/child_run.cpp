#include "child_run.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <exception>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeAll(int descriptor, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t count = ::write(descriptor, text.data() + done, text.size() - done);
        if (count <= 0) return;
        done += static_cast<std::size_t>(count);
    }
}

}  // namespace

std::string runInChild(const std::function<std::string()>& body, int timeoutSeconds) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return std::string("cannot make a pipe: ") + std::strerror(errno);
    const pid_t child = ::fork();
    if (child < 0) return std::string("cannot fork: ") + std::strerror(errno);
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string text;
        try {
            text = body();
        } catch (const std::exception& error) {
            text = std::string("escaped: ") + error.what();
        } catch (...) {
            text = "escaped: an exception of unknown type";
        }
        writeAll(pipeEnds[1], text);
        ::_exit(0);  // no test framework or static clean-up in the child
    }
    ::close(pipeEnds[1]);

    std::string text;
    bool hung = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            hung = true;
            break;
        }
        pollfd waiting{pipeEnds[0], POLLIN, 0};
        if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
        char block[4096];
        const ssize_t count = ::read(pipeEnds[0], block, sizeof block);
        if (count <= 0) break;
        text.append(block, static_cast<std::size_t>(count));
    }
    ::close(pipeEnds[0]);
    if (hung) ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (hung) return "no answer within " + std::to_string(timeoutSeconds) + " s";
    if (WIFSIGNALED(status)) return "crashed with signal " + std::to_string(WTERMSIG(status)) + " after: " + text;
    if (WEXITSTATUS(status) != 0) return "exited with code " + std::to_string(WEXITSTATUS(status)) + " after: " + text;
    return text;
}
