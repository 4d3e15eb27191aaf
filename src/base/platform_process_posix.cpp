#ifndef _WIN32
#include "base/platform_process.h"

#include <csignal>

#include <sys/resource.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace {

constexpr int Stopping[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t firstReceived = 0;
struct sigaction previous[sizeof Stopping / sizeof Stopping[0]];

void record(int signal) {
    if (firstReceived == 0) firstReceived = signal;
}

}  // namespace

StopSignals::StopSignals() {
    firstReceived = 0;
    struct sigaction action {};
    action.sa_handler = record;
    sigemptyset(&action.sa_mask);
    // Interrupted calls go on (a signal is no error of the file being
    // written), and the handler is taken away once it ran, so that a second
    // signal ends the process.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < sizeof Stopping / sizeof Stopping[0]; ++i)
        ::sigaction(Stopping[i], &action, &previous[i]);
}

StopSignals::~StopSignals() {
    for (std::size_t i = 0; i < sizeof Stopping / sizeof Stopping[0]; ++i) ::sigaction(Stopping[i], &previous[i], nullptr);
}

int StopSignals::received() { return firstReceived; }

std::string StopSignals::nameOf(int signal) {
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    }
    return "signal " + std::to_string(signal);
}

void keepCoreDumpsOff() {
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
#ifdef __linux__
    // Also where cores go to a program (systemd-coredump), which the limit
    // alone does not stop.
    ::prctl(PR_SET_DUMPABLE, 0);
#endif
}
#endif
