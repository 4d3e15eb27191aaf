#ifdef _WIN32
#include "base/platform_process.h"

#include <csignal>
#include <windows.h>

namespace {

// The console's events as the signals they stand for: Ctrl+C is SIGINT,
// Ctrl+Break SIGTERM, the console's close SIGHUP (numbers as on POSIX, so that
// the exit codes agree).
constexpr int SignalInterrupt = 2, SignalHangUp = 1, SignalTerminate = 15;

volatile LONG firstReceived = 0;

BOOL WINAPI record(DWORD event) {
    int signal = 0;
    switch (event) {
    case CTRL_C_EVENT: signal = SignalInterrupt; break;
    case CTRL_BREAK_EVENT: signal = SignalTerminate; break;
    case CTRL_CLOSE_EVENT: signal = SignalHangUp; break;
    default: return FALSE;
    }
    // The same event again ends the process as usual.
    if (InterlockedCompareExchange(&firstReceived, signal, 0) != 0) return FALSE;
    // The console's close ends the process when the handler returns: give
    // the job the time the system allows to land what it staged.
    if (event == CTRL_CLOSE_EVENT) Sleep(4000);
    return TRUE;
}

}  // namespace

StopSignals::StopSignals() {
    firstReceived = 0;
    SetConsoleCtrlHandler(record, TRUE);
}

StopSignals::~StopSignals() { SetConsoleCtrlHandler(record, FALSE); }

int StopSignals::received() { return static_cast<int>(firstReceived); }

std::string StopSignals::nameOf(int signal) {
    switch (signal) {
    case SignalInterrupt: return "SIGINT";
    case SignalTerminate: return "SIGTERM";
    case SignalHangUp: return "SIGHUP";
    }
    return "signal " + std::to_string(signal);
}

// No crash dialog that offers to send the process's memory; Windows Error
// Reporting keeps local dumps only where an administrator configured them.
void keepCoreDumpsOff() { SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX); }
#endif
