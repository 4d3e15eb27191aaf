#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/exit_code.h"

// What the arguments after the program name ask for; each form starts only
// what it needs (no display for a silent job, no Qt at all for an answer).
enum class CommandForm {
    Window,      // no arguments, "-s", "-m": the window opens
    SilentJob,   // "-qs", "-qm": a split or merge without the window
    JobCommand,  // "split", "merge", "mix"
    Answer,      // --help, --version, "/remove", or arguments the program cannot take
};
CommandForm commandFormOf(const std::vector<std::string>& arguments);

// Answers --help and -h with the usage, --version and -V with the version
// line, "/remove" (blanks around it allowed) with nothing and exit code 0 at
// once, and anything else with "Invalid parameters, please check
// documentation." (exit code 2). Returns the exit code.
int answerCommandLine(const std::vector<std::string>& arguments, std::ostream& console, std::ostream& errors);

// The console line that refuses an input file named after a switch ("Aborting,
// input file does not exist: " and the name, or the same for a name that is
// no regular file), or nothing when the file can be read.
std::optional<std::string> inputRefusal(const std::string& path);

// One line on errors for each argument from `first` on, which the switch
// ignores: "Ignored argument after <where>: <argument>".
void reportIgnored(const std::vector<std::string>& arguments, std::size_t first, const std::string& where,
                   std::ostream& errors);

// A usage error of a switch on the error stream: what is wrong, and where
// the usage is.
void reportUsageError(const std::string& what, std::ostream& errors);
