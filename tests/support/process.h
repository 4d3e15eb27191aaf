#pragma once
#include <map>
#include <string>
#include <vector>

namespace fixtures {

struct ProcessResult {
    int exitCode = -1;
    std::string out, err;
};

// The environment the program runs in: this one without a display, a Qt
// platform or a runtime folder, with its settings kept under `configHome`,
// and the extra variables.
std::vector<std::string> programEnvironment(const std::string& configHome,
                                            const std::map<std::string, std::string>& extraEnvironment = {});

// In a child process: replaces it by the program built beside the tests with
// the arguments and the environment.
[[noreturn]] void execSplimera(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);

// Runs the program built beside the tests (build/splimera) with the
// arguments, in `folder`, in programEnvironment, reading the file
// `standardInput`; waits at most `timeoutSeconds`.
ProcessResult runSplimera(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& configHome, int timeoutSeconds = 60,
                          const std::map<std::string, std::string>& extraEnvironment = {},
                          const std::string& standardInput = "/dev/null");

}  // namespace fixtures
