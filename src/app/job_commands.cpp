#include "app/job_commands.h"

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

#include "engine/pdf_error.h"
#include "engine/tpdf.h"
#include "finishing/output_finisher.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/output_naming.h"
#include "jobs/reporter.h"
#include "jobs/split_job.h"
#include "jobs/whole_number.h"

namespace {

namespace fs = std::filesystem;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments after the command word: positional ones, and options with
// their values in the order given.
struct ParsedArguments {
    std::vector<std::string> positional;
    std::multimap<std::string, std::string> options;

    bool has(const std::string& name) const { return options.count(name) > 0; }
    std::string value(const std::string& name, const std::string& fallback = "") const {
        auto range = options.equal_range(name);
        return range.first == range.second ? fallback : std::prev(range.second)->second;
    }
    std::vector<std::string> values(const std::string& name) const {
        std::vector<std::string> all;
        for (auto [it, end] = options.equal_range(name); it != end; ++it) all.push_back(it->second);
        return all;
    }
};

const std::set<std::string> kFlags = {"--no-protection", "--reverse-second", "--single-file"};
const std::set<std::string> kCommonOptions = {"--password", "--output-password", "--watermark", "--at"};

ParsedArguments parse(const std::vector<std::string>& arguments, const std::set<std::string>& jobOptions) {
    ParsedArguments parsed;
    bool optionsEnded = false;  // after "--" every argument is a file, also one that begins with "-"
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--" && !optionsEnded) {
            optionsEnded = true;
        } else if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.positional.push_back(argument);
        } else if (kFlags.count(argument) && (jobOptions.count(argument) || argument == "--no-protection")) {
            parsed.options.emplace(argument, "");
        } else if (jobOptions.count(argument) || kCommonOptions.count(argument)) {
            if (i + 1 >= arguments.size()) throw UsageError("The option " + argument + " needs a value");
            parsed.options.emplace(argument, arguments[++i]);
        } else {
            throw UsageError("Unknown option " + argument + " for " + arguments[0]);
        }
    }
    return parsed;
}

// A count or page number: a whole number of 0 or more.
std::string checkedCount(const ParsedArguments& parsed, const std::string& option, const std::string& fallback) {
    const std::string text = parsed.value(option, fallback);
    int value = 0;
    if (!tryReadWholeNumber(text, value) || value < 0)
        throw UsageError("The option " + option + " needs a whole number of 0 or more, not '" + text + "'");
    return text;
}

std::string folderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string() : parent.string() + "/";
}

InputFile inputFor(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) throw UsageError("Input file does not exist: " + path);
    return {fs::path(path).filename().string(), folderOf(path), ""};
}

std::string destinationFolder(const ParsedArguments& parsed, const InputFile& input) {
    if (!parsed.has("--to")) return input.folder;
    std::string folder = parsed.value("--to");
    std::error_code error;
    if (!fs::is_directory(folder, error)) throw UsageError("The folder of --to does not exist: " + folder);
    if (folder.back() != '/') folder += '/';
    return folder;
}

// Opens the input with no password, then with each --password in turn, and
// keeps the first that opens it; the engine's error when none does.
void findPassword(InputFile& input, const std::vector<std::string>& passwords) {
    TPdf probe("Pdf");
    std::vector<std::string> candidates{""};
    candidates.insert(candidates.end(), passwords.begin(), passwords.end());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        probe.setFileName(input.path());
        probe.setPassword(candidates[i]);
        try {
            probe.setActive(true);
            probe.setActive(false);
            input.password = candidates[i];
            return;
        } catch (const EPdfError& error) {
            const bool passwordProblem = std::string(error.what()) == PasswordErrorText;
            if (!passwordProblem || i + 1 == candidates.size())
                throw EPdfError(std::string(error.what()) + ": " + input.path());
        }
    }
}

FinishingSettings finishingFor(const ParsedArguments& parsed, const JobCommandContext& context) {
    FinishingSettings settings;
    if (!parsed.has("--no-protection")) {
        settings.outputPdfPassword = context.storedSetting("outputPdfPassword");
        settings.watermarkPath = context.storedSetting("watermarkPath");
        settings.watermarkX = context.storedSetting("watermarkX");
        settings.watermarkY = context.storedSetting("watermarkY");
    }
    if (parsed.has("--output-password")) settings.outputPdfPassword = parsed.value("--output-password");
    if (parsed.has("--watermark")) {
        settings.watermarkPath = parsed.value("--watermark");
        std::error_code error;
        if (!fs::is_regular_file(settings.watermarkPath, error))
            throw UsageError("The picture of --watermark does not exist: " + settings.watermarkPath);
        settings.watermarkX = settings.watermarkY = "50";
    }
    if (parsed.has("--at")) {
        const std::string at = parsed.value("--at");
        const std::size_t comma = at.find(',');
        int x = 0, y = 0;
        if (comma == std::string::npos || !tryReadWholeNumber(at.substr(0, comma), x) ||
            !tryReadWholeNumber(at.substr(comma + 1), y))
            throw UsageError("The option --at needs two whole numbers X,Y, not '" + at + "'");
        settings.watermarkX = std::to_string(x);
        settings.watermarkY = std::to_string(y);
    }
    return settings;
}

BookmarkMode bookmarkMode(const ParsedArguments& parsed) {
    const std::string mode = parsed.value("--bookmarks", "keep");
    if (mode == "keep") return BookmarkMode::Keep;
    if (mode == "per-file") return BookmarkMode::PerFile;
    if (mode == "none") return BookmarkMode::None;
    throw UsageError("The option --bookmarks needs keep, per-file or none, not '" + mode + "'");
}

MixMethodFields mixMethod(const ParsedArguments& parsed, const std::string& option) {
    MixMethodFields fields;
    if (!parsed.has(option)) return fields;
    const std::string text = parsed.value(option);
    const std::size_t colon = text.find(':');
    const std::string kind = text.substr(0, colon);
    std::string count = colon == std::string::npos ? "" : text.substr(colon + 1), start = "1";
    if (const std::size_t second = count.find(':'); second != std::string::npos) {
        start = count.substr(second + 1);
        count = count.substr(0, second);
    }
    int value = 0;
    const bool valid = (kind == "group" || kind == "each") && tryReadWholeNumber(count, value) && value >= 0 &&
                       tryReadWholeNumber(start, value) && value >= 0;
    if (!valid) throw UsageError("The option " + option + " needs group:N[:S] or each:N[:S], not '" + text + "'");
    fields.method = kind == "group" ? MixMethod::EveryGroupOf : MixMethod::Each;
    (kind == "group" ? fields.groupCount : fields.eachCount) = count;
    (kind == "group" ? fields.groupStart : fields.eachStart) = start;
    return fields;
}

// Reports on the console what the window shows in boxes.
class ConsoleReporter : public Reporter {
public:
    explicit ConsoleReporter(const JobCommandContext& context) : context_(context) {}
    void showMessage(const std::string& text) override { context_.err << text << '\n'; }
    std::string translation(const std::string& key) override { return context_.translation(key); }

private:
    const JobCommandContext& context_;
};

// Finishes like the window and remembers every file written.
class ListingFinisher : public Finisher {
public:
    explicit ListingFinisher(FinishingSettings settings) : finisher_(std::move(settings)) {}
    void finishOutputFile(const std::string& path) override {
        finisher_.finishOutputFile(path);
        written.push_back(path);
    }
    std::vector<std::size_t> finishWithStructure(const std::string& path, const StructureRequest& request,
                                                 std::unique_ptr<StructureMemory>& memory) override {
        std::vector<std::size_t> unread = finisher_.finishWithStructure(path, request, memory);
        written.push_back(path);
        return unread;
    }
    std::string outputPassword() const { return finisher_.settings().outputPdfPassword; }
    std::vector<std::string> written;

private:
    OutputFinisher finisher_;
};

void listWritten(const ListingFinisher& finisher, std::ostream& out) {
    TPdf reader("Pdf");
    for (const std::string& path : finisher.written) {
        reader.setFileName(path);
        reader.setPassword(finisher.outputPassword());
        reader.setActive(true);
        const int pages = reader.PageCount();
        reader.setActive(false);
        out << path << " (" << pages << (pages == 1 ? " page)" : " pages)") << '\n';
    }
}

struct PreparedJob {
    std::function<void(PdfDocuments&, Finisher&, Reporter&)> run;
    FinishingSettings finishing;
};

PreparedJob prepareSplit(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.size() != 1) throw UsageError("split takes one input file");
    SplitOptions options;
    options.input = inputFor(parsed.positional[0]);
    int methods = 0;
    for (const char* option : {"--pages", "--groups", "--each", "--ranges"}) methods += parsed.has(option);
    if (methods > 1) throw UsageError("Give one of --pages, --groups, --each and --ranges");
    if (parsed.has("--from") && !parsed.has("--groups") && !parsed.has("--each"))
        throw UsageError("The option --from goes with --groups or --each");
    if (parsed.has("--groups")) {
        options.method = SplitMethod::EveryGroupOf;
        options.everyGroupSize = checkedCount(parsed, "--groups", "");
        options.everyGroupStart = checkedCount(parsed, "--from", "1");
    } else if (parsed.has("--each")) {
        options.method = SplitMethod::Each;
        options.eachStep = checkedCount(parsed, "--each", "");
        options.eachStart = checkedCount(parsed, "--from", "1");
    } else if (parsed.has("--ranges")) {
        options.method = SplitMethod::ByPageRange;
        options.rangeList = parsed.value("--ranges");
    } else {
        options.method = SplitMethod::IntoFilesOf;
        options.filesOfSize = checkedCount(parsed, "--pages", "1");
    }
    options.baseName = parsed.value("--name", baseNameFor(options.input.fileName));
    options.destinationFolder = destinationFolder(parsed, options.input);
    options.silent = true;
    FinishingSettings finishing = finishingFor(parsed, context);
    findPassword(options.input, parsed.values("--password"));
    return {[options](PdfDocuments& documents, Finisher& finisher, Reporter& reporter) {
                splitWithPdfium(options, documents, finisher, reporter);
            },
            finishing};
}

PreparedJob prepareMerge(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.empty()) throw UsageError("merge takes the files to merge");
    if (!parsed.has("-o")) throw UsageError("merge needs -o OUTPUT");
    MergeOptions options;
    for (const std::string& path : parsed.positional) options.inputs.push_back(inputFor(path));
    options.outputPath = parsed.value("-o");
    options.bookmarks = bookmarkMode(parsed);
    std::error_code error;
    const std::string folder = folderOf(options.outputPath);
    if (!folder.empty() && !fs::is_directory(folder, error))
        throw UsageError("The folder of -o does not exist: " + folder);
    options.silent = true;
    FinishingSettings finishing = finishingFor(parsed, context);
    for (InputFile& input : options.inputs) findPassword(input, parsed.values("--password"));
    return {[options](PdfDocuments& documents, Finisher& finisher, Reporter& reporter) {
                mergeWithPdfium(options, documents, finisher, reporter);
            },
            finishing};
}

PreparedJob prepareMix(const ParsedArguments& parsed, const JobCommandContext& context) {
    if (parsed.positional.size() != 2) throw UsageError("mix takes two input files");
    MixOptions options;
    options.first = inputFor(parsed.positional[0]);
    options.second = inputFor(parsed.positional[1]);
    options.firstMethod = mixMethod(parsed, "--first");
    options.secondMethod = mixMethod(parsed, "--second");
    options.reverseSecond = parsed.has("--reverse-second");
    options.singleFile = parsed.has("--single-file");
    options.bookmarks = bookmarkMode(parsed);
    options.baseName = parsed.value("--name", baseNameFor(options.first.fileName));
    options.outputFolder = destinationFolder(parsed, options.first);
    FinishingSettings finishing = finishingFor(parsed, context);
    findPassword(options.first, parsed.values("--password"));
    findPassword(options.second, parsed.values("--password"));
    return {[options](PdfDocuments& documents, Finisher& finisher, Reporter& reporter) {
                mixWithPdfium(options, documents, finisher, reporter);
            },
            finishing};
}

// The completion messages of the window say nothing a listing does not.
class QuietCompletionReporter : public ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    void showMessage(const std::string& text) override {
        if (!doneText.empty() && text == doneText) return;
        ConsoleReporter::showMessage(text);
    }
    std::string doneText;
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
    const std::string& command = arguments.at(0);
    PreparedJob job;
    try {
        if (command == "split") {
            job = prepareSplit(parse(arguments, {"--pages", "--groups", "--each", "--from", "--ranges", "--name", "--to"}),
                               context);
        } else if (command == "merge") {
            job = prepareMerge(parse(arguments, {"-o", "--bookmarks"}), context);
        } else {
            job = prepareMix(parse(arguments, {"--first", "--second", "--name", "--to", "--reverse-second",
                                               "--single-file", "--bookmarks"}),
                             context);
        }
    } catch (const UsageError& error) {
        context.err << error.what() << "\nUsage: splimera\n" << jobCommandUsage();
        return 2;
    } catch (const std::exception& error) {
        context.err << error.what() << '\n';
        return 1;
    }

    TPdf Pdf("Pdf"), Pdf2("Pdf2"), PdfNew("PdfNew");
    PdfDocuments documents{Pdf, Pdf2, PdfNew};
    ListingFinisher finisher(job.finishing);
    QuietCompletionReporter reporter(context);
    reporter.doneText = command == "mix" ? context.translation("MsgMixDone") : "";
    try {
        job.run(documents, finisher, reporter);
        listWritten(finisher, context.out);
    } catch (const std::exception& error) {
        context.err << error.what() << '\n';
        try {
            listWritten(finisher, context.out);  // the files written before the error stay
        } catch (const std::exception& listing) {
            context.err << listing.what() << '\n';
        }
        return 1;
    }
    return finisher.written.empty() ? 1 : 0;
}
