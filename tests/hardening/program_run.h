#pragma once
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

#include "support/process.h"

// Runs the program built beside the tests with the arguments, in folder, with
// its settings under configHome. beforeStart runs in the child just before
// the program replaces it (to set a limit); whileRunning runs in the test's
// process every millisecond or so until the program ends. A program that has
// not ended after timeoutSeconds is killed and its exit code is -1.
fixtures::ProcessResult runProgram(const std::vector<std::string>& arguments, const std::string& folder,
                                   const std::string& configHome, const std::function<void()>& beforeStart,
                                   const std::function<void(pid_t)>& whileRunning, int timeoutSeconds = 60);
