#include "app/silent_switches.h"

#include "app/command_line.h"
#include "app/planned_outputs.h"
#include "app/job_stop.h"
#include "app/progress_line.h"
#include "base/platform_process.h"
#include "finishing/output_landing.h"
#include "jobs/input_file.h"
#include "jobs/job_reporter.h"
#include "jobs/merge_job.h"
#include "jobs/request_error.h"
#include "jobs/split_job.h"
#include "ui/dialogs.h"
#include "ui/list_limits.h"

namespace {

// Ends a silent switch with an exit code; caught in SilentSwitches::run.
struct EndProcess {
    int code;
};

// What a silent job tells: its messages in the dialogs that serve the
// command line, its progress on a terminal, and how many files it wrote.
class SilentReporter : public JobReporter {
public:
    SilentReporter(const SilentJobContext& context, ProgressLine& progress) : context_(context), progress_(progress) {}
    void showMessage(const std::string& text) override {
        progress_.interrupt([&] { context_.dialogs.showMessage(text); });
    }
    std::string translation(const std::string& key) override { return context_.translate(key); }
    void setProgressPosition(int position) override { progress_.setPercent(position); }
    void outputWritten(const WrittenOutput&) override {
        ++written;
        progress_.fileWritten();
    }
    bool stopRequested() const override { return StopSignals::received() != 0; }

    int written = 0;

private:
    const SilentJobContext& context_;
    ProgressLine& progress_;
};

void dieIfNotReadable(const std::string& path, std::ostream& console) {
    if (const std::optional<std::string> refusal = inputRefusal(path)) {
        console << *refusal << std::endl;
        throw EndProcess{ExitUsage};
    }
}

}  // namespace

SilentSwitches::SilentSwitches(SilentJobContext context, std::ostream& console, std::ostream& errors,
                               ErrorReport reportApplicationError)
    : context_(std::move(context)), console_(console), errors_(errors),
      reportApplicationError_(std::move(reportApplicationError)) {}

int SilentSwitches::run(const std::vector<std::string>& arguments) {
    try {
        return arguments.at(0) == "-qs" ? runSplit(arguments) : runMerge(arguments);
    } catch (const EndProcess& end) {
        return end.code;
    }
}

// The files are probed as the window's lists probe them.
int SilentSwitches::runSplit(const std::vector<std::string>& arguments) {
    const std::string file = arguments.size() > 1 ? arguments[1] : "";
    dieIfNotReadable(file, console_);
    reportIgnored(arguments, 2, "the file of -qs", errors_);
    // The probe has said why a file it could not open was refused.
    const std::optional<ProbedInput> probed = context_.probe(file);
    if (!probed) return ExitJobFailed;
    SplitRequest request = splitRequestFor(inputFileFor(file, probed->password));
    request.input.opened = probed->document;
    const int pageCount = probed->pageCount;
    request.protection = context_.protection;
    return runJob([&](JobReporter& reporter) { ::runSplit(request, reporter); }, plannedSplitFiles(request, pageCount),
                  "Silent Split operation done.", console_);
}

int SilentSwitches::runMerge(const std::vector<std::string>& arguments) {
    MergeRequest request;
    bool unreadable = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "-o") {
            if (i + 1 < arguments.size()) request.outputPath = arguments[i + 1];
            reportIgnored(arguments, i + 2, "the output of -qm", errors_);
            break;
        }
        dieIfNotReadable(arguments[i], console_);
        // The merge list's limit holds here too, refused before the probe.
        if (request.inputs.size() >= static_cast<std::size_t>(MaxListedFiles)) {
            context_.dialogs.showMessage(listFullMessage(context_.translate));
            continue;
        }
        if (const std::optional<ProbedInput> probed = context_.probe(arguments[i])) {
            request.inputs.push_back(inputFileFor(arguments[i], probed->password));
            request.inputs.back().opened = probed->document;
        } else {
            unreadable = true;
        }
    }
    // A merge missing one of its files is not what the script asked for: the
    // probe has named the file, and nothing is written.
    if (unreadable) return ExitJobFailed;
    try {
        request.check();
    } catch (const RequestError&) {
        console_ << "Output parameter missing, please check documentation." << std::endl;
        reportUsageError("-qm needs -o OUTPUT after its files", errors_);
        return ExitUsage;
    }
    request.protection = context_.protection;
    // A merge written to standard output leaves it to the PDF.
    return runJob([&](JobReporter& reporter) { ::runMerge(request, reporter); }, request.inputs.size() < 2 ? 0 : 1,
                  "Silent Merge operation done.", landsOnStandardOutput(request.outputPath) ? errors_ : console_);
}

// Runs a silent job: its console line when it returns, whatever it produced;
// an error that ends it is reported as the application's error instead.
int SilentSwitches::runJob(const std::function<void(JobReporter&)>& job, int plannedFiles, const std::string& doneLine,
                           std::ostream& doneStream) {
    int written = 0;
    int signal = 0;
    std::optional<std::string> failure;
    {
        const StopSignals stopSignals;
        ProgressLine progress(errors_, context_.showProgress, plannedFiles);
        SilentReporter reporter(context_, progress);
        try {
            job(reporter);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        written = reporter.written;
        signal = StopSignals::received();
    }
    if (signal) {
        errors_ << stoppedLine(signal, written, plannedFiles) << std::endl;
        return stoppedExitCode(signal);
    }
    if (failure) {
        reportApplicationError_(*failure);
        return ExitJobFailed;
    }
    doneStream << doneLine << std::endl;
    return written > 0 ? ExitDone : ExitJobFailed;
}
