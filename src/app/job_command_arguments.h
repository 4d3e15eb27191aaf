#pragma once
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Arguments a job command cannot take; the command says what is wrong and
// where the usage is.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments after the command word: positional ones, and options with
// their values in the order given.
struct ParsedArguments {
    std::vector<std::string> positional;
    std::multimap<std::string, std::string> options;
    // The values of options that follow the file they concern, by option and
    // the index of that file among the positional arguments.
    std::map<std::string, std::map<std::size_t, std::string>> fileOptions;
    // The positional arguments and the values of options that name a file or folder.
    std::vector<std::string> namedFiles;

    bool has(const std::string& name) const { return options.count(name) > 0; }
    // The option's value, or fallback.
    std::string value(const std::string& name, const std::string& fallback = "") const;
    std::vector<std::string> values(const std::string& name) const;
    // The value the option gives the positional argument at that index, or "".
    std::string fileValue(const std::string& name, std::size_t file) const;
};

// Reads the arguments of the job command arguments[0] with the options its
// table entry takes; "-h" is read as "--help". A value follows its option as
// the next argument or after "=" ("--ranges=1-3"). "--" ends the options, so
// that a file whose name begins with "-" can be named. Raises UsageError for
// an unknown option (naming the nearest one when it is near), one without its
// value, a flag given a value, an option that is not repeatable given twice,
// and an empty file or folder name.
ParsedArguments parseJobArguments(const std::vector<std::string>& arguments);
