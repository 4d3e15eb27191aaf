#include "app/job_command_arguments.h"

std::string ParsedArguments::value(const std::string& name, const std::string& fallback) const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
}

std::vector<std::string> ParsedArguments::values(const std::string& name) const {
    std::vector<std::string> all;
    for (auto [it, end] = options.equal_range(name); it != end; ++it) all.push_back(it->second);
    return all;
}

namespace {

const std::set<std::string> Flags = {"--no-protection", "--quiet",       "--help",     "-h",
                                     "--reverse-second", "--single-file", "--pad-odd", "--title-names"};
const std::set<std::string> CommonFlags = {"--no-protection", "--quiet", "--help", "-h"};
const std::set<std::string> CommonOptions = {"--password", "--password-file", "--output-password",
                                             "--output-password-file", "--watermark", "--at"};
// Options that may be given several times; every other one takes one value.
const std::set<std::string> Repeatable = {"--password"};
// Options naming a file or folder, which an empty text cannot.
const std::set<std::string> Named = {"-o", "--to", "--watermark", "--password-file", "--output-password-file"};

}  // namespace

ParsedArguments parseJobArguments(const std::vector<std::string>& arguments, const std::set<std::string>& jobOptions) {
    ParsedArguments parsed;
    bool optionsEnded = false;  // after "--" every argument is a file, also one that begins with "-"
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.positional.push_back(argument);
            continue;
        }
        const bool flag = Flags.count(argument) && (jobOptions.count(argument) || CommonFlags.count(argument));
        if (!flag && !jobOptions.count(argument) && !CommonOptions.count(argument))
            throw UsageError("Unknown option " + argument + " for " + arguments[0]);
        if (parsed.has(argument) && !Repeatable.count(argument))
            throw UsageError("The option " + argument + " is given more than once");
        if (flag) {
            parsed.options.emplace(argument, "");
            continue;
        }
        if (i + 1 >= arguments.size()) throw UsageError("The option " + argument + " needs a value");
        const std::string& value = arguments[++i];
        if (value.empty() && Named.count(argument))
            throw UsageError("The option " + argument + " needs a name, not an empty text");
        parsed.options.emplace(argument, value);
    }
    return parsed;
}
