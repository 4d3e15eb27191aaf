#include "app/job_options.h"

#include <algorithm>

namespace {

constexpr const char* BookmarkModes =
    "keep (the inputs' bookmarks, the default), per-file (one entry per input file, its bookmarks beneath) or none";

}  // namespace

const std::vector<JobCommandEntry>& jobCommands() {
    static const std::vector<JobCommandEntry> commands = {
        {"split", SplitCommand, "FILE", "give one method of --pages, --groups, --each, --ranges, --bookmarks and --size"},
        {"merge", MergeCommand, "FILE [--select PAGES]... -o OUTPUT", ""},
        {"mix", MixCommand, "FIRST SECOND", ""},
    };
    return commands;
}

const std::vector<JobOption>& jobOptions() {
    static const std::vector<JobOption> options = {
        {"--pages", "N", "files of N pages each; the default, with N 1", SplitCommand},
        {"--groups", "N", "every group of N pages, from the page of --from", SplitCommand},
        {"--each", "N", "one page out of every N, from the page of --from", SplitCommand},
        {"--from", "S", "the first page of --groups or --each (default 1)", SplitCommand},
        {"--ranges", "LIST",
         "one file per \";\"-separated group of pages and ranges, as in \"1-4,6;9-10\"; the whole list is read "
         "before anything is written",
         SplitCommand},
        {"--bookmarks", "LEVEL",
         "cut where bookmarks of LEVEL (1 is the top) or above begin: one file per bookmark, the pages before the "
         "first one in a file of their own; each file keeps the bookmarks beneath its own",
         SplitCommand},
        {"--title-names", "", "with --bookmarks: name the files after their bookmarks", SplitCommand},
        {"--size", "SIZE",
         "files of at most SIZE bytes (300K, 10M: K is 1,024 bytes, M 1,048,576); a page larger than SIZE goes "
         "alone into a file of its own",
         SplitCommand},
        {"-o", "OUTPUT", "the merged file", MergeCommand, false, true},
        {"--select", "PAGES",
         "the pages taken from the file before it, in order: pages and ranges separated by \",\", z for the last "
         "page, rN for the N-th from the end, a range from a later page to an earlier one backwards (1-3,z or z-1)",
         MergeCommand, false, false, true},
        {"--pad-odd", "",
         "a blank page after each file of an odd number of pages, so that every file starts on a front side when "
         "printed on both sides",
         MergeCommand},
        {"--first", "METHOD",
         "how the pages of FIRST are taken: group:N[:S] (every group of N pages from page S) or each:N[:S] (the N-th "
         "page from S); S defaults to 1, the default is group:3:1",
         MixCommand},
        {"--second", "METHOD", "how the pages of SECOND are taken, as for --first", MixCommand},
        {"--reverse-second", "", "read SECOND from its last page (the backs of a one-sided scan)", MixCommand},
        {"--single-file", "", "write every turn into one file, named after BASE with \"mixed.pdf\"", MixCommand},
        {"--bookmarks", "MODE", BookmarkModes, MergeCommand | MixCommand},
        {"--name", "BASE", "the first part of every output name (default: the first input's name without \".pdf\", "
                           "then \"_\")",
         SplitCommand | MixCommand},
        {"--to", "FOLDER", "the folder of the outputs (default: the first input's folder)", SplitCommand | MixCommand,
         false, true},
        {"--password", "PW", "a password to try on protected inputs; may be given several times", EveryJobCommand,
         true},
        {"--password-file", "FILE", "try each line of FILE as a password (FILE - is standard input)", EveryJobCommand,
         false, true},
        {"--output-password", "PW", "protect the outputs with PW (instead of the stored setting)", EveryJobCommand},
        {"--output-password-file", "FILE",
         "protect the outputs with the first line of FILE (- is standard input)", EveryJobCommand, false, true},
        {"--watermark", "PICTURE", "draw PICTURE (PNG or JPEG) on every page (instead of the stored setting)",
         EveryJobCommand, false, true},
        {"--at", "X,Y", "the watermark's position in points from the top-left corner (default 50,50)",
         EveryJobCommand},
        {"--no-protection", "", "ignore the stored output password and watermark", EveryJobCommand},
        {"--quiet", "", "list no written file and show no progress", EveryJobCommand},
        {"--json", "", "print one JSON document on standard output instead of the listing: the files written, the "
                       "notes and the error that ended the job (docs/job-result.md)",
         EveryJobCommand},
        {"--help", "", "show the usage (also -h)", EveryJobCommand},
    };
    return options;
}

const JobCommandEntry* findJobCommand(const std::string& name) {
    for (const JobCommandEntry& command : jobCommands())
        if (name == command.name) return &command;
    return nullptr;
}

const JobOption* findJobOption(const JobCommandEntry& command, const std::string& name) {
    for (const JobOption& option : jobOptions())
        if ((option.commands & command.bit) && name == option.name) return &option;
    return nullptr;
}

namespace {

// The letters to change, add, remove or swap with their neighbour to make b of a.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

}  // namespace

std::string nearestJobOption(const JobCommandEntry& command, const std::string& name) {
    std::string nearest;
    // One slip in every four letters at most, so that a short name is not
    // taken for another short one.
    std::size_t best = std::max<std::size_t>(1, name.size() / 4) + 1;
    for (const JobOption& option : jobOptions()) {
        if (!(option.commands & command.bit)) continue;
        const std::size_t distance = editDistance(name, option.name);
        if (distance < best) {
            best = distance;
            nearest = option.name;
        }
    }
    return nearest;
}
