#ifndef _WIN32
#include "base/platform_streams.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

std::optional<ServiceChannel> takeServiceChannel() {
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    ::signal(SIGPIPE, SIG_IGN);
    ServiceChannel channel;
    channel.requests = STDIN_FILENO;
    channel.answers = ::dup(STDOUT_FILENO);
    if (channel.answers < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return std::nullopt;
    return channel;
}

long readSome(int descriptor, char* into, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(descriptor, into, size);
        if (count < 0 && errno == EINTR) continue;
        return static_cast<long>(count);
    }
}

bool writeAll(int descriptor, const char* bytes, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const ssize_t count = ::write(descriptor, bytes + done, size - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}
#endif
