#include "app/window_switches.h"

#include <filesystem>

#include "app/command_line.h"
#include "jobs/input_file.h"

namespace fs = std::filesystem;

std::string absolutePath(const std::string& path) {
    const fs::path given(path);
    if (path.empty() || given.is_absolute()) return path;
    std::error_code error;
    fs::path result = fs::current_path(error);
    if (error) return path;
    for (const fs::path& step : given)
        if (step != ".") result /= step;
    return result.string();
}

WindowSwitches::WindowSwitches(CommandLineWindow& window, std::ostream& console, std::ostream& errors)
    : window_(window), console_(console), errors_(errors) {}

std::optional<int> WindowSwitches::run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return std::nullopt;
    if (arguments[0] == "-s") {
        const std::string file = arguments.size() > 1 ? arguments[1] : "";
        if (const std::optional<std::string> refusal = inputRefusal(file)) {
            console_ << *refusal << std::endl;
            return ExitUsage;
        }
        reportIgnored(arguments, 2, "the file of -s", errors_);
        window_.addSplitFile(absolutePath(file));
        return std::nullopt;
    }
    std::string refused;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string problem = inputProblem(arguments[i]);
        if (problem.empty())
            window_.addMergeFile(absolutePath(arguments[i]));
        else
            refused += "\n" + arguments[i] + ": " + problem;
    }
    window_.showMergeTab();
    if (!refused.empty()) window_.showMessageWhenOpen("These files were not added to the Merge list:" + refused);
    return std::nullopt;
}
