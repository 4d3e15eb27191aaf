#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/exit_code.h"
#include "finishing/protection.h"

class Dialogs;
class JobReporter;

// What "-s" and "-m" do with the window before it opens.
class CommandLineWindow {
public:
    virtual ~CommandLineWindow() = default;
    virtual void addSplitFile(const std::string& path) = 0;
    virtual void addMergeFile(const std::string& path) = 0;
    // Makes the window open on the Merge tab instead of the Split tab.
    virtual void showMergeTab() = 0;
};

// What the silent switches need from the user's side: the dialogs that ask
// for passwords and show the jobs' messages, the texts of the user's language
// and the stored protection.
struct SilentJobContext {
    Dialogs& dialogs;
    std::function<std::string(const std::string& key)> translate;
    Protection protection;
};

// The program's switches: "-s" and "-m" preload the window's lists, "-qs" and
// "-qm" run a split or a merge without the window and report one console line.
class CommandLine {
public:
    using ErrorReport = std::function<void(const std::string& message)>;

    CommandLine(CommandLineWindow& window, SilentJobContext silent, std::ostream& console,
                ErrorReport reportApplicationError);

    // Handles the arguments after the program name. Returns the exit code when
    // the process is to end, nothing when the window is to open.
    std::optional<int> run(const std::vector<std::string>& arguments);

    void showMessageConsole(const std::string& text);

private:
    std::optional<int> runSilentSplit(const std::vector<std::string>& arguments);
    std::optional<int> runSilentMerge(const std::vector<std::string>& arguments);
    void dieIfFileDoesNotExist(const std::string& fileName);
    int runSilentJob(const std::function<void(JobReporter&)>& job, const std::string& doneLine);

    CommandLineWindow& window_;
    SilentJobContext silent_;
    std::ostream& console_;
    ErrorReport reportApplicationError_;
};

// Usage text printed by --help.
std::string commandLineUsage();
// "Splimera " and the version, printed by --version.
std::string versionLine();
