#include "app/command_line.h"

#include "app/job_commands.h"
#include "app/usage.h"
#include "jobs/input_file.h"

namespace {

// Blanks and control characters around the first argument are not part of it.
std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

bool isRemove(const std::string& firstArgument) { return trimmed(firstArgument) == "/remove"; }

}  // namespace

CommandForm commandFormOf(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return CommandForm::Window;
    const std::string& first = arguments[0];
    if (first == "-s" || first == "-m") return CommandForm::Window;
    if (first == "-qs" || first == "-qm") return CommandForm::SilentJob;
    if (isJobCommand(first)) return CommandForm::JobCommand;
    return CommandForm::Answer;
}

int answerCommandLine(const std::vector<std::string>& arguments, std::ostream& console, std::ostream& errors) {
    const std::string& first = arguments.at(0);
    if (isRemove(first)) return ExitDone;
    if (first == "--help" || first == "-h") {
        console << commandLineUsage() << std::flush;
        reportIgnored(arguments, 1, first, errors);
        return ExitDone;
    }
    if (first == "--version" || first == "-V") {
        console << versionLine() << std::endl;
        reportIgnored(arguments, 1, first, errors);
        return ExitDone;
    }
    console << "Invalid parameters, please check documentation." << std::endl;
    reportUsageError("'" + first + "' is not a switch or command", errors);
    return ExitUsage;
}

std::optional<std::string> inputRefusal(const std::string& path) {
    const std::string problem = inputProblem(path);
    if (problem.empty()) return std::nullopt;
    return "Aborting, input file " + problem + ": " + path;
}

void reportIgnored(const std::vector<std::string>& arguments, std::size_t first, const std::string& where,
                   std::ostream& errors) {
    for (std::size_t i = first; i < arguments.size(); ++i)
        errors << "Ignored argument after " << where << ": " << arguments[i] << std::endl;
}

void reportUsageError(const std::string& what, std::ostream& errors) {
    errors << what << ". " << UsageHint << std::endl;
}
