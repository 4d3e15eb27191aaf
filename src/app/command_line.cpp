#include "app/command_line.h"

#include "app/job_commands.h"
#include "jobs/application.h"
#include "jobs/input_file.h"
#include "jobs/job_reporter.h"
#include "jobs/merge_job.h"
#include "jobs/request_error.h"
#include "jobs/split_job.h"
#include "ui/file_lists.h"
#include "ui/input_probe.h"

namespace {

// Ends the command line with an exit code; caught in CommandLine::run.
struct EndProcess {
    int code;
};

// What a silent job tells: its messages in the dialogs that serve the
// command line, and how many files it wrote.
class SilentReporter : public JobReporter {
public:
    explicit SilentReporter(const SilentJobContext& context) : context_(context) {}
    void showMessage(const std::string& text) override { context_.dialogs.showMessage(text); }
    std::string translation(const std::string& key) override { return context_.translate(key); }
    void outputWritten(const WrittenOutput&) override { ++written; }

    int written = 0;

private:
    const SilentJobContext& context_;
};

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

CommandLine::CommandLine(CommandLineWindow& window, SilentJobContext silent, std::ostream& console,
                         ErrorReport reportApplicationError)
    : window_(window), silent_(std::move(silent)), console_(console),
      reportApplicationError_(std::move(reportApplicationError)) {}

void CommandLine::showMessageConsole(const std::string& text) { console_ << text << std::endl; }

void CommandLine::dieIfFileDoesNotExist(const std::string& fileName) {
    if (isExistingFile(fileName)) return;
    showMessageConsole("Aborting, input file does not exist: " + fileName);
    throw EndProcess{ExitUsage};
}

std::optional<int> CommandLine::run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return std::nullopt;
    const std::string& command = arguments[0];
    try {
        if (command == "-s") {
            const std::string file = arguments.size() > 1 ? arguments[1] : "";
            dieIfFileDoesNotExist(file);
            window_.addSplitFile(file);
            return std::nullopt;
        }
        if (command == "-qs") return runSilentSplit(arguments);
        if (command == "-m") {
            for (std::size_t i = 1; i < arguments.size(); ++i) {
                dieIfFileDoesNotExist(arguments[i]);
                window_.addMergeFile(arguments[i]);
            }
            window_.showMergeTab();
            return std::nullopt;
        }
        if (command == "-qm") return runSilentMerge(arguments);
        if (command == "--help") {
            console_ << commandLineUsage() << std::flush;
            return ExitDone;
        }
        if (command == "--version") {
            showMessageConsole(versionLine());
            return ExitDone;
        }
        showMessageConsole("Invalid parameters, please check documentation.");
        return ExitUsage;
    } catch (const EndProcess& end) {
        return end.code;
    }
}

// The files are probed as the window's lists probe them, asking for a
// password through the same dialogs; a file that does not open stays out of
// the request, as it would stay out of the list.
std::optional<int> CommandLine::runSilentSplit(const std::vector<std::string>& arguments) {
    const std::string file = arguments.size() > 1 ? arguments[1] : "";
    dieIfFileDoesNotExist(file);
    SplitRequest request;
    if (const std::optional<ProbedInput> probed = InputProbe(silent_.dialogs, silent_.translate).probe(file))
        request = splitRequestFor(inputFileFor(file, probed->password));
    request.protection = silent_.protection;
    request.silent = true;
    return runSilentJob([&](JobReporter& reporter) { runSplit(request, reporter); }, "Silent Split operation done.");
}

std::optional<int> CommandLine::runSilentMerge(const std::vector<std::string>& arguments) {
    InputProbe probe(silent_.dialogs, silent_.translate);
    MergeRequest request;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "-o") {
            if (i + 1 < arguments.size()) request.outputPath = arguments[i + 1];
            break;
        }
        dieIfFileDoesNotExist(arguments[i]);
        // The merge list's limit holds here too, refused before the probe.
        if (request.inputs.size() >= static_cast<std::size_t>(TFileList::MaxFiles)) {
            silent_.dialogs.showMessage(listFullMessage(silent_.translate));
            continue;
        }
        if (const std::optional<ProbedInput> probed = probe.probe(arguments[i]))
            request.inputs.push_back(inputFileFor(arguments[i], probed->password));
    }
    try {
        request.check();
    } catch (const RequestError&) {
        showMessageConsole("Output parameter missing, please check documentation.");
        return ExitUsage;
    }
    request.protection = silent_.protection;
    request.silent = true;
    return runSilentJob([&](JobReporter& reporter) { runMerge(request, reporter); }, "Silent Merge operation done.");
}

// Runs a silent job: its console line when it returns, whatever it produced;
// an error that ends it is reported as the application's error instead.
int CommandLine::runSilentJob(const std::function<void(JobReporter&)>& job, const std::string& doneLine) {
    SilentReporter reporter(silent_);
    try {
        job(reporter);
    } catch (const std::exception& error) {
        reportApplicationError_(error.what());
        return ExitJobFailed;
    }
    showMessageConsole(doneLine);
    return reporter.written > 0 ? ExitDone : ExitJobFailed;
}
