#pragma once
#include <map>
#include <string>
#include <vector>

namespace fixtures {

struct ProcessResult {
    int exitCode = -1;
    std::string out, err;
};

// Runs the program built beside the tests (build/splimera) with the
// arguments, in `folder`, without a display, with its settings kept under
// `configHome`; waits at most `timeoutSeconds`.
ProcessResult runSplimera(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& configHome, int timeoutSeconds = 60,
                          const std::map<std::string, std::string>& extraEnvironment = {});

}  // namespace fixtures
