#pragma once
#include <string>
#include <vector>

namespace fixtures {

struct TerminalRun {
    int exitCode = -1;
    std::string screen;  // everything the program wrote to its terminal
};

// Runs the program on a terminal of its own (a pseudo-terminal that is its
// standard input, output and error), in `folder` and programEnvironment;
// types `typed` and a line end once the program asks for a password. Waits
// at most `timeoutSeconds`.
TerminalRun runOnTerminal(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& configHome, const std::string& typed, int timeoutSeconds = 60);

}  // namespace fixtures
