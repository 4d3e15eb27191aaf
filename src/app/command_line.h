#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What the command line drives: the window's list operations and its jobs.
class CommandLineHost {
public:
    virtual ~CommandLineHost() = default;
    virtual void setCommandLine(bool value) = 0;        // _isCommandLine
    virtual void setCommandLineSilent(bool value) = 0;  // _isCommandLineSilent
    virtual void addSplitFile(const std::string& path) = 0;
    virtual void addMergeFile(const std::string& path) = 0;
    virtual void setMergeDestination(const std::string& path) = 0;
    virtual void showMergeTab() = 0;
    virtual int runSplit() = 0;   // the number of files written
    virtual bool runMerge() = 0;  // false when the merge had too few files
};

// Process exit codes.
enum ExitCode { kExitDone = 0, kExitJobFailed = 1, kExitUsage = 2 };

// The program's switches: "-s" and "-m" preload the window's lists, "-qs" and
// "-qm" run a split or a merge without the window and report one console line.
class CommandLine {
public:
    using ErrorReport = std::function<void(const std::string& message)>;

    CommandLine(CommandLineHost& host, std::ostream& console, ErrorReport reportApplicationError);

    // Handles the arguments after the program name. Returns the exit code when
    // the process is to end, nothing when the window is to open.
    std::optional<int> run(const std::vector<std::string>& arguments);

    void showMessageConsole(const std::string& text);

private:
    std::optional<int> runSilentSplit(const std::vector<std::string>& arguments);
    std::optional<int> runSilentMerge(const std::vector<std::string>& arguments);
    void dieIfFileDoesNotExist(const std::string& fileName);
    int runJob(const std::function<bool()>& job, const std::string& doneLine);

    CommandLineHost& host_;
    std::ostream& console_;
    ErrorReport reportApplicationError_;
};

// Usage text printed by --help.
std::string commandLineUsage();
// "Splimera " and the version, printed by --version.
std::string versionLine();
