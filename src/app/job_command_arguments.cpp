#include "app/job_command_arguments.h"

#include <iterator>

std::string ParsedArguments::value(const std::string& name, const std::string& fallback) const {
    auto range = options.equal_range(name);
    return range.first == range.second ? fallback : std::prev(range.second)->second;
}

std::vector<std::string> ParsedArguments::values(const std::string& name) const {
    std::vector<std::string> all;
    for (auto [it, end] = options.equal_range(name); it != end; ++it) all.push_back(it->second);
    return all;
}

namespace {

const std::set<std::string> Flags = {"--no-protection", "--reverse-second", "--single-file"};
const std::set<std::string> CommonOptions = {"--password", "--output-password", "--watermark", "--at"};

}  // namespace

ParsedArguments parseJobArguments(const std::vector<std::string>& arguments, const std::set<std::string>& jobOptions) {
    ParsedArguments parsed;
    bool optionsEnded = false;  // after "--" every argument is a file, also one that begins with "-"
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--" && !optionsEnded) {
            optionsEnded = true;
        } else if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.positional.push_back(argument);
        } else if (Flags.count(argument) && (jobOptions.count(argument) || argument == "--no-protection")) {
            parsed.options.emplace(argument, "");
        } else if (jobOptions.count(argument) || CommonOptions.count(argument)) {
            if (i + 1 >= arguments.size()) throw UsageError("The option " + argument + " needs a value");
            parsed.options.emplace(argument, arguments[++i]);
        } else {
            throw UsageError("Unknown option " + argument + " for " + arguments[0]);
        }
    }
    return parsed;
}
