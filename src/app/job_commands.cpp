#include "app/job_commands.h"

#include <filesystem>

#include "app/exit_code.h"
#include "app/job_command_arguments.h"
#include "engine/password_search.h"
#include "engine/pdf_error.h"
#include "jobs/job_reporter.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/output_naming.h"
#include "jobs/request_error.h"
#include "jobs/split_job.h"
#include "jobs/whole_number.h"

namespace {

namespace fs = std::filesystem;

// A request ready to run.
using PreparedJob = std::function<void(JobReporter&)>;

InputFile inputFor(const std::string& path) {
    if (!isExistingFile(path)) throw UsageError("Input file does not exist: " + path);
    return inputFileFor(path);
}

std::string folderGivenBy(const ParsedArguments& parsed, const std::string& fallback) {
    if (!parsed.has("--to")) return fallback;
    std::string folder = parsed.value("--to");
    std::error_code error;
    if (!fs::is_directory(folder, error)) throw UsageError("The folder of --to does not exist: " + folder);
    if (folder.back() != '/') folder += '/';
    return folder;
}

// Finds the password among the --password values (after none at all).
void findPassword(InputFile& input, const ParsedArguments& parsed) {
    try {
        input.password = openWithPasswords(input.path(), parsed.values("--password")).password;
    } catch (const PdfError& error) {
        throw PdfError(std::string(error.what()) + ": " + input.path());
    }
}

Protection protectionFor(const ParsedArguments& parsed, const Protection& stored) {
    Protection protection = parsed.has("--no-protection") ? Protection{} : stored;
    if (parsed.has("--output-password")) protection.outputPassword = parsed.value("--output-password");
    if (parsed.has("--watermark")) {
        protection.watermarkPath = parsed.value("--watermark");
        if (!isExistingFile(protection.watermarkPath))
            throw UsageError("The picture of --watermark does not exist: " + protection.watermarkPath);
        protection.watermarkX = protection.watermarkY = "50";
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
    return protection;
}

BookmarkMode bookmarkMode(const ParsedArguments& parsed) {
    const std::string mode = parsed.value("--bookmarks", "keep");
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
    std::string count = colon == std::string::npos ? "" : text.substr(colon + 1), start = "1";
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

PreparedJob prepareSplit(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.size() != 1) throw UsageError("split takes one input file");
    SplitRequest request = splitRequestFor(inputFor(parsed.positional[0]));
    int methods = 0;
    for (const char* option : {"--pages", "--groups", "--each", "--ranges"}) methods += parsed.has(option);
    if (methods > 1) throw UsageError("Give one of --pages, --groups, --each and --ranges");
    if (parsed.has("--from") && !parsed.has("--groups") && !parsed.has("--each"))
        throw UsageError("The option --from goes with --groups or --each");
    if (parsed.has("--groups")) {
        request.method = SplitMethod::EveryGroupOf;
        request.everyGroupSize = parsed.value("--groups");
        request.everyGroupStart = parsed.value("--from", "1");
    } else if (parsed.has("--each")) {
        request.method = SplitMethod::Each;
        request.eachStep = parsed.value("--each");
        request.eachStart = parsed.value("--from", "1");
    } else if (parsed.has("--ranges")) {
        request.method = SplitMethod::ByPageRange;
        request.rangeList = parsed.value("--ranges");
    } else {
        request.filesOfSize = parsed.value("--pages", "1");
    }
    check(request, parsed);
    request.baseName = parsed.value("--name", request.baseName);
    request.destinationFolder = folderGivenBy(parsed, request.destinationFolder);
    request.protection = protectionFor(parsed, context.storedProtection);
    request.silent = true;
    findPassword(request.input, parsed);
    return [request](JobReporter& reporter) { runSplit(request, reporter); };
}

PreparedJob prepareMerge(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.empty()) throw UsageError("merge takes the files to merge");
    if (!parsed.has("-o")) throw UsageError("merge needs -o OUTPUT");
    MergeRequest request;
    for (const std::string& path : parsed.positional) request.inputs.push_back(inputFor(path));
    request.outputPath = parsed.value("-o");
    request.bookmarks = bookmarkMode(parsed);
    check(request, parsed);
    const fs::path folder = fs::path(request.outputPath).parent_path();
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error))
        throw UsageError("The folder of -o does not exist: " + folder.string() + "/");
    request.protection = protectionFor(parsed, context.storedProtection);
    request.silent = true;
    for (InputFile& input : request.inputs) findPassword(input, parsed);
    return [request](JobReporter& reporter) { runMerge(request, reporter); };
}

PreparedJob prepareMix(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.size() != 2) throw UsageError("mix takes two input files");
    MixRequest request;
    request.first = inputFor(parsed.positional[0]);
    request.second = inputFor(parsed.positional[1]);
    request.firstMethod = mixMethod(parsed, "--first");
    request.secondMethod = mixMethod(parsed, "--second");
    check(request, parsed);
    request.reverseSecond = parsed.has("--reverse-second");
    request.singleFile = parsed.has("--single-file");
    request.bookmarks = bookmarkMode(parsed);
    const OutputPlace place = defaultOutputPlace(request.first);
    request.baseName = parsed.value("--name", place.baseName);
    request.destinationFolder = folderGivenBy(parsed, place.folder);
    request.protection = protectionFor(parsed, context.storedProtection);
    request.silent = true;
    findPassword(request.first, parsed);
    findPassword(request.second, parsed);
    return [request](JobReporter& reporter) { runMix(request, reporter); };
}

PreparedJob prepare(const std::vector<std::string>& arguments, const JobCommandContext& context) {
    const std::string& command = arguments.at(0);
    if (command == "split")
        return prepareSplit(parseJobArguments(arguments, {"--pages", "--groups", "--each", "--from", "--ranges",
                                                          "--name", "--to"}),
                            context);
    if (command == "merge") return prepareMerge(parseJobArguments(arguments, {"-o", "--bookmarks"}), context);
    return prepareMix(parseJobArguments(arguments, {"--first", "--second", "--name", "--to", "--reverse-second",
                                                    "--single-file", "--bookmarks"}),
                      context);
}

// Messages go to the error stream; every file written is listed with its
// page count.
class ConsoleReporter : public JobReporter {
public:
    explicit ConsoleReporter(const JobCommandContext& context) : context_(context) {}
    void showMessage(const std::string& text) override { context_.err << text << '\n'; }
    std::string translation(const std::string& key) override { return context_.translation(key); }
    void outputWritten(const WrittenOutput& output) override {
        const int pages = output.pageCount;
        context_.out << output.path << " (" << pages << (pages == 1 ? " page)" : " pages)") << '\n';
        ++written;
    }

    int written = 0;

private:
    const JobCommandContext& context_;
};

}  // namespace

bool isJobCommand(const std::string& firstArgument) {
    return firstArgument == "split" || firstArgument == "merge" || firstArgument == "mix";
}

std::string jobCommandUsage() {
    return "  split FILE [--pages N | --groups N [--from S] | --each N [--from S] | --ranges LIST]\n"
           "        [--name BASE] [--to FOLDER] [common options]\n"
           "  merge FILE... -o OUTPUT [--bookmarks MODE] [common options]\n"
           "  mix FIRST SECOND [--first METHOD] [--second METHOD] [--reverse-second] [--single-file]\n"
           "        [--bookmarks MODE] [--name BASE] [--to FOLDER] [common options]\n"
           "      METHOD is group:N[:S] (every group of N pages from page S) or each:N[:S]\n"
           "      (the N-th page from S); S defaults to 1, the default METHOD is group:3:1\n"
           "      MODE is keep (the inputs' bookmarks, the default), per-file (one entry per input\n"
           "      file, its bookmarks beneath) or none\n"
           "  common options:\n"
           "      --password PW          a password to try on protected inputs; may be given several times\n"
           "      --output-password PW   protect the outputs with PW (instead of the stored setting)\n"
           "      --watermark PICTURE    draw PICTURE on every page (instead of the stored setting)\n"
           "      --at X,Y               the watermark's position in points from the top-left corner (default 50,50)\n"
           "      --no-protection        ignore the stored output password and watermark\n";
}

int runJobCommand(const std::vector<std::string>& arguments, const JobCommandContext& context) {
    PreparedJob job;
    try {
        job = prepare(arguments, context);
    } catch (const UsageError& error) {
        context.err << error.what() << "\nUsage: splimera\n" << jobCommandUsage();
        return ExitUsage;
    } catch (const std::exception& error) {
        context.err << error.what() << '\n';
        return ExitJobFailed;
    }
    ConsoleReporter reporter(context);
    try {
        job(reporter);
    } catch (const std::exception& error) {
        context.err << error.what() << '\n';
        return ExitJobFailed;
    }
    return reporter.written == 0 ? ExitJobFailed : ExitDone;
}
