#pragma once
#include <string>

// How a job command or silent switch that a signal stopped ends: after the
// output it was writing, with one line saying what was written and the exit
// code 128 + the signal's number (130 for SIGINT, 143 for SIGTERM, 129 for
// SIGHUP), as shells report a process a signal ended.

// "Stopped by SIGINT: 3 of 12 files written"; no total when planned is 0 or
// less (not known).
std::string stoppedLine(int signal, int written, int planned);
int stoppedExitCode(int signal);
