#include "app/job_command_arguments.h"

#include "app/job_options.h"

std::string ParsedArguments::value(const std::string& name, const std::string& fallback) const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
}

std::vector<std::string> ParsedArguments::values(const std::string& name) const {
    std::vector<std::string> all;
    for (auto [it, end] = options.equal_range(name); it != end; ++it) all.push_back(it->second);
    return all;
}

std::string ParsedArguments::fileValue(const std::string& name, std::size_t file) const {
    const auto option = fileOptions.find(name);
    if (option == fileOptions.end()) return "";
    const auto found = option->second.find(file);
    return found == option->second.end() ? "" : found->second;
}

namespace {

std::string unknownOption(const JobCommandEntry& command, const std::string& name) {
    std::string message = "Unknown option " + name + " for " + command.name;
    if (const std::string nearest = nearestJobOption(command, name); !nearest.empty())
        message += "; did you mean " + nearest + "?";
    return message;
}

}  // namespace

ParsedArguments parseJobArguments(const std::vector<std::string>& arguments) {
    const JobCommandEntry& command = *findJobCommand(arguments.at(0));
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
        // "--name=value" gives the value in the same argument.
        const std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
        const std::string name = argument == "-h" ? "--help" : argument.substr(0, equals);
        const JobOption* option = findJobOption(command, name);
        if (!option) throw UsageError(unknownOption(command, name));
        if (parsed.has(name) && !option->repeatable && !option->perFile)
            throw UsageError("The option " + name + " is given more than once");
        if (!option->takesValue()) {
            if (equals != std::string::npos) throw UsageError("The option " + name + " takes no value");
            parsed.options.emplace(name, "");
            continue;
        }
        if (equals == std::string::npos && i + 1 >= arguments.size())
            throw UsageError("The option " + name + " needs a value");
        const std::string value = equals == std::string::npos ? arguments[++i] : argument.substr(equals + 1);
        if (value.empty() && option->namesFile)
            throw UsageError("The option " + name + " needs a name, not an empty text");
        if (option->namesFile) parsed.namedFiles.push_back(value);
        if (option->perFile) {
            if (parsed.positional.empty()) throw UsageError("The option " + name + " follows the file it is for");
            if (!parsed.fileOptions[name].emplace(parsed.positional.size() - 1, value).second)
                throw UsageError("The option " + name + " is given more than once for " + parsed.positional.back());
        }
        parsed.options.emplace(name, value);
    }
    parsed.namedFiles.insert(parsed.namedFiles.end(), parsed.positional.begin(), parsed.positional.end());
    return parsed;
}
