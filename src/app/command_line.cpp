#include "app/command_line.h"

#include <sys/stat.h>

#include "app/job_commands.h"
#include "jobs/application.h"

namespace {

// Ends the command line with an exit code; caught in CommandLine::run.
struct EndProcess {
    int code;
};

bool isExistingFile(const std::string& fileName) {
    struct stat status {};
    return ::stat(fileName.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

}  // namespace

std::string commandLineUsage() {
    return "Usage: splimera [switch files...]\n"
           "  (no arguments)              open the window\n"
           "  -s FILE                     open the window with FILE in the Split list\n"
           "  -qs FILE                    split FILE into one-page files beside it, without the window\n"
           "  -m FILE...                  open the window with the FILEs in the Merge list\n"
           "  -qm FILE... -o OUTPUT       merge the FILEs into OUTPUT, without the window\n"
           "  --help                      show this text\n"
           "  --version                   show the version\n"
           "Job commands for scripts (one line per written file: its path and page count):\n" +
           jobCommandUsage() +
           "Exit codes: 0 done, 1 the job failed or produced nothing, 2 invalid arguments or a missing file.\n";
}

std::string versionLine() { return std::string(ApplicationName) + " " + applicationVersion(); }

CommandLine::CommandLine(CommandLineHost& host, std::ostream& console, ErrorReport reportApplicationError)
    : host_(host), console_(console), reportApplicationError_(std::move(reportApplicationError)) {}

void CommandLine::showMessageConsole(const std::string& text) { console_ << text << std::endl; }

void CommandLine::dieIfFileDoesNotExist(const std::string& fileName) {
    if (isExistingFile(fileName)) return;
    showMessageConsole("Aborting, input file does not exist: " + fileName);
    throw EndProcess{kExitUsage};
}

std::optional<int> CommandLine::run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return std::nullopt;
    host_.setCommandLine(true);
    const std::string& command = arguments[0];
    try {
        if (command == "-s") {
            const std::string file = arguments.size() > 1 ? arguments[1] : "";
            dieIfFileDoesNotExist(file);
            host_.addSplitFile(file);
            return std::nullopt;
        }
        if (command == "-qs") return runSilentSplit(arguments);
        if (command == "-m") {
            for (std::size_t i = 1; i < arguments.size(); ++i) {
                dieIfFileDoesNotExist(arguments[i]);
                host_.addMergeFile(arguments[i]);
            }
            host_.showMergeTab();
            return std::nullopt;
        }
        if (command == "-qm") return runSilentMerge(arguments);
        if (command == "--help") {
            console_ << commandLineUsage() << std::flush;
            return kExitDone;
        }
        if (command == "--version") {
            showMessageConsole(versionLine());
            return kExitDone;
        }
        showMessageConsole("Invalid parameters, please check documentation.");
        return kExitUsage;
    } catch (const EndProcess& end) {
        return end.code;
    }
}

std::optional<int> CommandLine::runSilentSplit(const std::vector<std::string>& arguments) {
    const std::string file = arguments.size() > 1 ? arguments[1] : "";
    dieIfFileDoesNotExist(file);
    host_.addSplitFile(file);
    host_.setCommandLineSilent(true);
    return runJob([this] { return host_.runSplit() > 0; }, "Silent Split operation done.");
}

std::optional<int> CommandLine::runSilentMerge(const std::vector<std::string>& arguments) {
    std::string output;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "-o") {
            if (i + 1 < arguments.size()) output = arguments[i + 1];
            break;
        }
        dieIfFileDoesNotExist(arguments[i]);
        host_.addMergeFile(arguments[i]);
    }
    if (output.empty()) {
        showMessageConsole("Output parameter missing, please check documentation.");
        return kExitUsage;
    }
    host_.setMergeDestination(output);
    host_.setCommandLineSilent(true);
    return runJob([this] { return host_.runMerge(); }, "Silent Merge operation done.");
}

// Runs a silent job: its console line when it returns, whatever it produced;
// an error that ends it is reported as the application's error instead.
int CommandLine::runJob(const std::function<bool()>& job, const std::string& doneLine) {
    bool produced = false;
    try {
        produced = job();
    } catch (const std::exception& error) {
        reportApplicationError_(error.what());
        return kExitJobFailed;
    }
    showMessageConsole(doneLine);
    return produced ? kExitDone : kExitJobFailed;
}
