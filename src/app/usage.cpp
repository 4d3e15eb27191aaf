#include "app/usage.h"

#include <cctype>

#include "app/job_options.h"
#include "base/application.h"

namespace {

constexpr std::size_t HelpColumn = 34;
constexpr std::size_t LineWidth = 100;

// `text` in lines of at most LineWidth characters, the first one after
// `first` and the others indented to HelpColumn.
std::string wrapped(std::string first, const std::string& text) {
    if (first.size() + 1 > HelpColumn) first += "\n" + std::string(HelpColumn, ' ');
    else first.resize(HelpColumn, ' ');
    std::string result = first, line;
    std::size_t column = HelpColumn;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (column > HelpColumn && column + 1 + word.size() > LineWidth) {
            result += "\n" + std::string(HelpColumn, ' ');
            column = HelpColumn;
        } else if (column > HelpColumn) {
            result += ' ';
            ++column;
        }
        result += word;
        column += word.size();
        start = end + 1;
    }
    return result + "\n";
}

std::string optionUsage(const JobOption& option) {
    std::string head = std::string("      ") + option.name;
    if (option.takesValue()) head += std::string(" ") + option.value;
    return wrapped(head, option.help);
}

// Roff text for the manual page: "-" is the minus of options, so that it is
// neither hyphenated nor changed into a dash.
std::string roff(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '-' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// A help text as a sentence of the manual page.
std::string manualSentence(const std::string& text) {
    std::string sentence = roff(text);
    sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    return sentence + ".\n";
}

std::string optionManual(const JobOption& option) {
    std::string text = ".TP\n";
    text += option.takesValue() ? ".BI " + roff(option.name) + " \" " + option.value + "\"\n"
                                : ".B " + roff(option.name) + "\n";
    return text + manualSentence(option.help);
}

}  // namespace

std::string commandLineUsage() {
    return "Usage: splimera [switch files...]\n"
           "       splimera split|merge|mix FILE... [options]\n"
           "  (no arguments)              open the window\n"
           "  -s FILE                     open the window with FILE in the Split list\n"
           "  -qs FILE                    split FILE into one-page files beside it, without the window\n"
           "  -m FILE...                  open the window with the FILEs in the Merge list\n"
           "  -qm FILE... -o OUTPUT       merge the FILEs into OUTPUT, without the window\n"
           "  -h, --help                  show this text\n"
           "  -V, --version               show the version\n"
           "Job commands for scripts (one line per written file: its path and page count):\n" +
           jobCommandUsage() +
           "Exit codes: 0 done, 1 the job failed or produced nothing, 2 invalid arguments or a missing file.\n";
}

std::string jobCommandUsage() {
    std::string text;
    for (const JobCommandEntry& command : jobCommands())
        text += std::string("  ") + command.name + " " + command.operands + " [options of " + command.name +
                "] [common options]\n";
    for (const JobCommandEntry& command : jobCommands()) {
        text += std::string("  options of ") + command.name + ":\n";
        if (*command.note) text += std::string("      ") + command.note + "\n";
        for (const JobOption& option : jobOptions())
            if ((option.commands & command.bit) && option.commands != EveryJobCommand) text += optionUsage(option);
    }
    text += "  common options:\n";
    for (const JobOption& option : jobOptions())
        if (option.commands == EveryJobCommand) text += optionUsage(option);
    return text +
           "  A password given as PW can be read by other users of the computer while the job\n"
           "  runs; a password file keeps it private. A protected input that none of the\n"
           "  passwords opens is asked for on the terminal, when standard input is one.\n";
}

std::string manualPageOptions() {
    std::string text;
    for (const JobCommandEntry& command : jobCommands()) {
        text += std::string(".SS Options of ") + command.name + "\n";
        if (*command.note) text += ".PP\n" + manualSentence(command.note);
        for (const JobOption& option : jobOptions())
            if ((option.commands & command.bit) && option.commands != EveryJobCommand) text += optionManual(option);
    }
    text += ".SS Options of every job command\n";
    for (const JobOption& option : jobOptions())
        if (option.commands == EveryJobCommand) text += optionManual(option);
    return text;
}

std::string versionLine() { return std::string(ApplicationName) + " " + applicationVersion(); }
