#pragma once
#include <string>

// Process-wide calls that differ between systems, behind one interface with a
// POSIX implementation (platform_process_posix.cpp) and a Windows one
// (platform_process_windows.cpp).

// While an object lives, the signals that ask a process to end (SIGINT,
// SIGTERM and SIGHUP; on Windows Ctrl+C, Ctrl+Break and the console's close)
// do not end it but are recorded, so that a job can stop after the output it
// is writing and clean up; the same signal again ends the process as usual.
// One object at a time.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The number of the first signal received (SIGINT 2, SIGHUP 1, SIGTERM
    // 15), 0 while none was.
    static int received();
    // Its name as users know it: "SIGINT", ...
    static std::string nameOf(int signal);
};

// Keeps the process out of core dumps from now on, so that a crash cannot
// write the passwords it holds into a file: on Linux it is no longer
// dumpable and its core size limit (which the processes it starts inherit)
// is 0.
void keepCoreDumpsOff();
