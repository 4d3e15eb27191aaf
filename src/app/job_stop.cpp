#include "app/job_stop.h"

#include "base/platform_process.h"

std::string stoppedLine(int signal, int written, int planned) {
    const std::string count = written == 0 ? "no" : std::to_string(written);
    const std::string total = planned > 0 && written > 0 ? " of " + std::to_string(planned) : "";
    const bool one = written == 1 && total.empty();
    return "Stopped by " + StopSignals::nameOf(signal) + ": " + count + total + (one ? " file" : " files") + " written";
}

int stoppedExitCode(int signal) { return 128 + signal; }
