#pragma once
#include <string>
#include <vector>

// The job commands and every option they take, in one table: the usage, the
// manual page's option lists and the parsing of the arguments are made from it.

// The job commands as bits, so that an option names the commands taking it.
enum JobCommandBit : unsigned { SplitCommand = 1, MergeCommand = 2, MixCommand = 4, EveryJobCommand = 7 };

struct JobCommandEntry {
    const char* name;      // "split"
    JobCommandBit bit;
    const char* operands;  // "FILE", what follows the command word
    const char* note;      // said once above the command's options, or empty
};

struct JobOption {
    const char* name;  // "--pages"
    const char* value;  // what the value is called ("N"), or empty for a flag
    const char* help;
    unsigned commands;  // JobCommandBit values or-ed
    bool repeatable = false;
    bool namesFile = false;  // names a file or folder, which an empty text cannot
    bool perFile = false;    // says something of the file before it, once per file

    bool takesValue() const { return *value != '\0'; }
};

const std::vector<JobCommandEntry>& jobCommands();
const std::vector<JobOption>& jobOptions();

// The command named so, or nullptr.
const JobCommandEntry* findJobCommand(const std::string& name);
// The option `name` of the command, or nullptr when the command takes none
// of that name.
const JobOption* findJobOption(const JobCommandEntry& command, const std::string& name);
// The option of the command whose name is nearest to `name`, when one is
// near enough to be what was meant; otherwise empty.
std::string nearestJobOption(const JobCommandEntry& command, const std::string& name);
