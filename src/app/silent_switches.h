#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/protection.h"
#include "ui/input_probe.h"

class Dialogs;
class JobReporter;

// What the silent switches need from the user's side: the dialogs that show
// the jobs' messages, the probe that opens each file as the window's lists do
// (asking for a password through the same dialogs, or on the terminal), the
// texts of the user's language and the stored protection.
struct SilentJobContext {
    Dialogs& dialogs;
    std::function<std::string(const std::string& key)> translate;
    Protection protection;
    std::function<std::optional<ProbedInput>(const std::string& path)> probe;
    bool showProgress = false;  // the error stream is a terminal
};

// "-qs FILE" splits FILE into one-page files beside it and "-qm FILE... -o
// OUTPUT" merges the files into OUTPUT, without the window; each reports one
// console line when the job returns.
class SilentSwitches {
public:
    using ErrorReport = std::function<void(const std::string& message)>;

    SilentSwitches(SilentJobContext context, std::ostream& console, std::ostream& errors,
                   ErrorReport reportApplicationError);

    // Runs "-qs" or "-qm"; returns the exit code.
    int run(const std::vector<std::string>& arguments);

private:
    int runSplit(const std::vector<std::string>& arguments);
    int runMerge(const std::vector<std::string>& arguments);
    int runJob(const std::function<void(JobReporter&)>& job, int plannedFiles, const std::string& doneLine,
               std::ostream& doneStream);

    SilentJobContext context_;
    std::ostream& console_;
    std::ostream& errors_;
    ErrorReport reportApplicationError_;
};
