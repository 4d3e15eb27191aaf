#include "app/job_commands.h"

#include <filesystem>

#include "app/exit_code.h"
#include "app/job_command_arguments.h"
#include "app/job_options.h"
#include "app/job_result.h"
#include "app/job_stop.h"
#include "app/output_listing.h"
#include "app/planned_outputs.h"
#include "app/progress_line.h"
#include "app/standard_streams.h"
#include "app/usage.h"
#include "jobs/job_reporter.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/output_naming.h"
#include "jobs/page_selection.h"
#include "jobs/range_list.h"
#include "jobs/request_error.h"
#include "jobs/split_job.h"
#include "base/platform_process.h"
#include "base/whole_number.h"
#include "finishing/output_landing.h"

namespace {

namespace fs = std::filesystem;

// A request ready to run, with what its listing and progress need.
struct PreparedJob {
    std::function<void(JobReporter&)> run;
    StoredProtectionUse stored;
    int plannedFiles = 0;
    std::vector<std::string> notes;  // said before the job runs
    bool outputOnStandardOutput = false;  // the listing then goes to standard error
};

InputFile inputFor(const std::string& path, const JobCommandContext& context) {
    if (path == "-") return inputFileFor(standardInputCopy(context.in));
    if (const std::string problem = inputProblem(path); !problem.empty())
        throw UsageError("Input file " + problem + ": " + path);
    return inputFileFor(path);
}

std::string folderGivenBy(const ParsedArguments& parsed, const std::string& fallback) {
    if (!parsed.has("--to")) return defaultOutputFolder(fallback);
    std::string folder = parsed.value("--to");
    std::error_code error;
    if (!fs::is_directory(folder, error)) throw UsageError("The folder of --to does not exist: " + folder);
    if (folder.back() != '/') folder += '/';
    return folder;
}

void readWatermarkOptions(const ParsedArguments& parsed, Protection& protection) {
    if (parsed.has("--watermark")) {
        protection.watermarkPath = parsed.value("--watermark");
        if (const std::string problem = inputProblem(protection.watermarkPath); !problem.empty())
            throw UsageError("The picture of --watermark " + problem + ": " + protection.watermarkPath);
        protection.watermarkX = protection.watermarkY = DefaultWatermarkPosition;
    }
    if (parsed.has("--at")) {
        const std::string at = parsed.value("--at");
        const std::size_t comma = at.find(',');
        const std::optional<int> x = comma == std::string::npos ? std::nullopt : parseWholeNumber(at.substr(0, comma));
        const std::optional<int> y = comma == std::string::npos ? std::nullopt : parseWholeNumber(at.substr(comma + 1));
        if (!x || !y) throw UsageError("The option --at needs two whole numbers X,Y, not '" + at + "'");
        protection.watermarkX = std::to_string(*x);
        protection.watermarkY = std::to_string(*y);
    }
}

// The stored protection with what the options replace; the job learns which
// of it stays the stored settings' own.
Protection protect(PreparedJob& job, const ParsedArguments& parsed, const PasswordOptions& passwords,
                   const Protection& stored) {
    const bool storedApplies = !parsed.has("--no-protection");
    Protection protection = storedApplies ? stored : Protection{};
    if (passwords.output()) {
        protection.outputPassword = *passwords.output();
        protection.outputPasswordUnreadable.clear();
    }
    readWatermarkOptions(parsed, protection);
    job.stored.password = storedApplies && !passwords.output() && !stored.outputPassword.empty();
    job.stored.watermark = storedApplies && !parsed.has("--watermark") && !stored.watermarkPath.empty();
    return protection;
}

BookmarkMode bookmarkMode(const ParsedArguments& parsed, BookmarkMode unless) {
    if (!parsed.has("--bookmarks")) return unless;
    const std::string mode = parsed.value("--bookmarks");
    if (mode == "keep") return BookmarkMode::Keep;
    if (mode == "per-file") return BookmarkMode::PerFile;
    if (mode == "none") return BookmarkMode::None;
    throw UsageError("The option --bookmarks needs keep, per-file or none, not '" + mode + "'");
}

// group:N[:S] or each:N[:S]; the numbers are the request's to check.
MixMethodFields mixMethod(const ParsedArguments& parsed, const std::string& option) {
    MixMethodFields fields;
    if (!parsed.has(option)) return fields;
    const std::string text = parsed.value(option);
    const std::size_t colon = text.find(':');
    const std::string kind = text.substr(0, colon);
    if (kind != "group" && kind != "each")
        throw UsageError("The option " + option + " needs group:N[:S] or each:N[:S], not '" + text + "'");
    std::string count = colon == std::string::npos ? "" : text.substr(colon + 1);
    std::string start = kind == "group" ? fields.groupStart : fields.eachStart;
    if (const std::size_t second = count.find(':'); second != std::string::npos) {
        start = count.substr(second + 1);
        count = count.substr(0, second);
    }
    fields.method = kind == "group" ? MixMethod::EveryGroupOf : MixMethod::Each;
    (kind == "group" ? fields.groupCount : fields.eachCount) = count;
    (kind == "group" ? fields.groupStart : fields.eachStart) = start;
    return fields;
}

// The command line's wording of a request's field that check() refused.
std::string usageText(const RequestError& error, const ParsedArguments& parsed) {
    const auto wholeNumber = [&](const char* option) {
        return std::string("The option ") + option + " needs a whole number of 0 or more, not '" + error.text() + "'";
    };
    const auto mixMethodText = [&](const char* option) {
        return std::string("The option ") + option + " needs group:N[:S] or each:N[:S], not '" + parsed.value(option) +
               "'";
    };
    switch (error.field()) {
    case RequestField::FilesOfSize: return wholeNumber("--pages");
    case RequestField::EveryGroupSize: return wholeNumber("--groups");
    case RequestField::EachStep: return wholeNumber("--each");
    case RequestField::EveryGroupStart:
    case RequestField::EachStart: return wholeNumber("--from");
    case RequestField::FirstCount:
    case RequestField::FirstStart: return mixMethodText("--first");
    case RequestField::SecondCount:
    case RequestField::SecondStart: return mixMethodText("--second");
    case RequestField::BookmarkLevel:
        return "The option --bookmarks needs a bookmark level of 1 or more on split, not '" + error.text() + "'";
    case RequestField::SizeLimit:
        return "The option --size needs a size of 1 or more such as 300K or 10M, not '" + error.text() + "'";
    case RequestField::OutputPath: break;
    }
    return "merge needs -o OUTPUT";
}

// Checks a request where the command's arguments are read, so that the first
// problem of the arguments is the one reported.
template <typename Request>
void check(const Request& request, const ParsedArguments& parsed) {
    try {
        request.check();
    } catch (const RequestError& error) {
        throw UsageError(usageText(error, parsed));
    }
}

// The whole list is read before the first file is written, so that a group
// that cannot be read stops the job before it has written the groups before it.
void checkRangeList(const std::string& rangeList) {
    if (getRangeGroups(rangeList).empty()) throw UsageError("The option --ranges needs at least one group of pages");
    if (const std::optional<std::string> group = firstUnreadableGroup(rangeList))
        throw UsageError("The group '" + *group + "' of --ranges is not a list of pages and ranges such as 1-4,6");
}

// One line for every page of a range list beyond the input's last page.
std::string beyondEndNote(const std::string& path, int pageCount, const std::vector<std::string>& pieces) {
    std::string note = "Pages beyond the last page of " + path + " (" + std::to_string(pageCount) +
                       (pageCount == 1 ? " page" : " pages") + ") are skipped: ";
    for (std::size_t i = 0; i < pieces.size(); ++i) note += (i ? ", " : "") + pieces[i];
    return note;
}

PreparedJob prepareSplit(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.size() != 1) throw UsageError("split takes one input file");
    SplitRequest request = splitRequestFor(inputFor(parsed.positional[0], context));
    int methods = 0;
    for (const char* option : {"--pages", "--groups", "--each", "--ranges", "--bookmarks", "--size"})
        methods += parsed.has(option);
    if (methods > 1) throw UsageError("Give one of --pages, --groups, --each, --ranges, --bookmarks and --size");
    if (parsed.has("--from") && !parsed.has("--groups") && !parsed.has("--each"))
        throw UsageError("The option --from goes with --groups or --each");
    if (parsed.has("--title-names") && !parsed.has("--bookmarks"))
        throw UsageError("The option --title-names goes with --bookmarks");
    if (parsed.has("--groups")) {
        request.method = SplitMethod::EveryGroupOf;
        request.everyGroupSize = parsed.value("--groups");
        request.everyGroupStart = parsed.value("--from", request.everyGroupStart);
    } else if (parsed.has("--each")) {
        request.method = SplitMethod::Each;
        request.eachStep = parsed.value("--each");
        request.eachStart = parsed.value("--from", request.eachStart);
    } else if (parsed.has("--ranges")) {
        request.method = SplitMethod::ByPageRange;
        request.rangeList = parsed.value("--ranges");
        checkRangeList(request.rangeList);
    } else if (parsed.has("--bookmarks")) {
        request.method = SplitMethod::ByBookmarks;
        request.bookmarkLevel = parsed.value("--bookmarks");
        request.titleNames = parsed.has("--title-names");
    } else if (parsed.has("--size")) {
        request.method = SplitMethod::BySize;
        request.sizeLimit = parsed.value("--size");
    } else {
        request.filesOfSize = parsed.value("--pages", request.filesOfSize);
    }
    check(request, parsed);
    request.baseName = parsed.value("--name", request.baseName);
    request.destinationFolder = folderGivenBy(parsed, request.destinationFolder);
    const PasswordOptions passwords(parsed, context.in, context.askPassword, context.err);
    PreparedJob job;
    request.protection = protect(job, parsed, passwords, context.storedProtection);
    const int pageCount = unlockInput(request.input, passwords.inputs());
    job.plannedFiles = plannedSplitFiles(request, pageCount);
    if (request.method == SplitMethod::ByPageRange)
        if (const std::vector<std::string> beyond = pagesBeyondEnd(request.rangeList, pageCount); !beyond.empty())
            job.notes.push_back(beyondEndNote(request.input.path(), pageCount, beyond));
    job.run = [request](JobReporter& reporter) { runSplit(request, reporter); };
    return job;
}

PreparedJob prepareMerge(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.empty()) throw UsageError("merge takes the files to merge");
    if (!parsed.has("-o")) throw UsageError("merge needs -o OUTPUT");
    MergeRequest request;
    for (std::size_t i = 0; i < parsed.positional.size(); ++i) {
        request.inputs.push_back(inputFor(parsed.positional[i], context));
        request.pageSelections.push_back(parsed.fileValue("--select", i));
    }
    request.outputPath = parsed.value("-o");
    request.bookmarks = bookmarkMode(parsed, request.bookmarks);
    request.padOdd = parsed.has("--pad-odd");
    check(request, parsed);
    const fs::path folder = fs::path(request.outputPath).parent_path();
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error))
        throw UsageError("The folder of -o does not exist: " + folder.string() + "/");
    const PasswordOptions passwords(parsed, context.in, context.askPassword, context.err);
    PreparedJob job;
    request.protection = protect(job, parsed, passwords, context.storedProtection);
    for (std::size_t i = 0; i < request.inputs.size(); ++i) {
        const int pageCount = unlockInput(request.inputs[i], passwords.inputs());
        selectedPages(request.pageSelection(i), pageCount, request.inputs[i].path());  // its pages are there
    }
    job.plannedFiles = request.inputs.size() < 2 ? 0 : 1;
    job.outputOnStandardOutput = landsOnStandardOutput(request.outputPath);
    if (job.outputOnStandardOutput && parsed.has("--json"))
        throw UsageError("--json and -o - both write to standard output; name an output file with -o");
    job.run = [request](JobReporter& reporter) { runMerge(request, reporter); };
    return job;
}

PreparedJob prepareMix(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.size() != 2) throw UsageError("mix takes two input files");
    MixRequest request;
    request.first = inputFor(parsed.positional[0], context);
    request.second = inputFor(parsed.positional[1], context);
    request.firstMethod = mixMethod(parsed, "--first");
    request.secondMethod = mixMethod(parsed, "--second");
    check(request, parsed);
    request.reverseSecond = parsed.has("--reverse-second");
    request.singleFile = parsed.has("--single-file");
    request.bookmarks = bookmarkMode(parsed, request.bookmarks);
    const OutputPlace place = defaultOutputPlace(request.first);
    request.baseName = parsed.value("--name", place.baseName);
    request.destinationFolder = folderGivenBy(parsed, place.folder);
    const PasswordOptions passwords(parsed, context.in, context.askPassword, context.err);
    PreparedJob job;
    request.protection = protect(job, parsed, passwords, context.storedProtection);
    const int pagesFirst = unlockInput(request.first, passwords.inputs());
    const int pagesSecond = unlockInput(request.second, passwords.inputs());
    job.plannedFiles = plannedMixFiles(request, pagesFirst, pagesSecond);
    job.run = [request](JobReporter& reporter) { runMix(request, reporter); };
    return job;
}

PreparedJob prepare(const std::string& command, const ParsedArguments& parsed, const JobCommandContext& context) {
    checkStandardInputUse(parsed.positional, {parsed.value("--password-file"), parsed.value("--output-password-file")});
    if (command == "split") return prepareSplit(parsed, context);
    if (command == "merge") return prepareMerge(parsed, context);
    return prepareMix(parsed, context);
}

// Lists every file written (unless quiet, or unless the JSON document is to
// tell them) with what the stored settings added to it; messages go to the
// error stream, above the progress line, and into the JSON document.
class ConsoleReporter : public JobReporter {
public:
    ConsoleReporter(const JobCommandContext& context, const PreparedJob& job, bool quiet, JobResult* result)
        : context_(context), job_(job), quiet_(quiet), result_(result),
          progress_(context.err, context.showProgress && !quiet, job.plannedFiles) {}

    void showMessage(const std::string& text) override {
        progress_.interrupt([&] { context_.err << text << std::endl; });
        if (result_) result_->addNote(text);
    }
    // The error that ended the job.
    void showError(const std::string& text) {
        progress_.interrupt([&] { context_.err << text << std::endl; });
        if (result_) result_->setError(text);
    }
    std::string translation(const std::string& key) override { return context_.translation(key); }
    void setProgressPosition(int position) override { progress_.setPercent(position); }
    void inputRepaired(const std::string& path) override {
        const std::string note = "Note: " + path + " is damaged; it was read as repaired";
        progress_.interrupt([&] { context_.err << note << std::endl; });
        if (result_) result_->addNote(note);
    }
    void outputWritten(const WrittenOutput& output) override {
        ++written;
        if (result_) {
            std::error_code error;
            const std::uintmax_t bytes = fs::file_size(output.path, error);
            result_->addFile(output, error ? 0 : bytes, !job_.stored.password, !job_.stored.watermark);
        } else if (!quiet_) {
            // Standard output may be the same terminal.
            std::ostream& listing = job_.outputOnStandardOutput ? context_.err : context_.out;
            progress_.interrupt([&] { listing << listingLine(output, job_.stored) << std::endl; });
        }
        progress_.fileWritten();
    }
    bool stopRequested() const override { return StopSignals::received() != 0; }
    int written = 0;

private:
    const JobCommandContext& context_;
    const PreparedJob& job_;
    const bool quiet_;
    JobResult* result_;
    ProgressLine progress_;
};

int usageFailure(const std::exception& error, const JobCommandContext& context, JobResult* result) {
    context.err << error.what() << '\n' << UsageHint << std::endl;
    if (result) result->setError(error.what());
    return ExitUsage;
}

// Runs the command; the JSON document, when one is asked for, gathers what it did.
int runCommand(const std::vector<std::string>& arguments, const JobCommandContext& context, JobResult* result) {
    PreparedJob job;
    bool quiet = false;
    try {
        const ParsedArguments parsed = parseJobArguments(arguments);
        if (parsed.has("--help")) {
            context.out << commandLineUsage() << std::flush;
            return ExitDone;
        }
        if (result) result->knowFiles(parsed.namedFiles);
        quiet = parsed.has("--quiet");
        job = prepare(arguments[0], parsed, context);
    } catch (const UsageError& error) {
        return usageFailure(error, context, result);
    } catch (const PageSelectionError& error) {  // a --select the files cannot give
        return usageFailure(error, context, result);
    } catch (const std::exception& error) {
        context.err << error.what() << std::endl;
        if (result) result->setError(error.what());
        return ExitJobFailed;
    }
    ConsoleReporter reporter(context, job, quiet, result);
    for (const std::string& note : job.notes) reporter.showMessage(note);
    const StopSignals stopSignals;
    try {
        job.run(reporter);
    } catch (const std::exception& error) {
        if (!StopSignals::received()) {
            reporter.showError(error.what());
            return ExitJobFailed;
        }
    }
    if (const int signal = StopSignals::received()) {
        reporter.showMessage(stoppedLine(signal, reporter.written, job.plannedFiles));
        return stoppedExitCode(signal);
    }
    return reporter.written == 0 ? ExitJobFailed : ExitDone;
}

// --json before the end of the options, unless the usage is asked for.
bool wantsJson(const std::vector<std::string>& arguments) {
    bool json = false;
    for (const std::string& argument : arguments) {
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") return false;
        json = json || argument == "--json";
    }
    return json;
}

}  // namespace

bool isJobCommand(const std::string& firstArgument) { return findJobCommand(firstArgument) != nullptr; }

int runJobCommand(const std::vector<std::string>& arguments, const JobCommandContext& context) {
    if (!wantsJson(arguments)) return runCommand(arguments, context, nullptr);
    JobResult result(arguments.at(0));
    const int exitCode = runCommand(arguments, context, &result);
    context.out << result.json(exitCode) << std::flush;
    return exitCode;
}
