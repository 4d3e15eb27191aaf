#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "finishing/protection.h"

// The job commands for scripts: "split", "merge" and "mix" as first word,
// each job with every method and option of the window.
//
//   splimera split FILE [--pages N | --groups N [--from S] | --each N [--from S] | --ranges LIST]
//                       [--name BASE] [--to FOLDER] [common options]
//   splimera merge FILE... -o OUTPUT [--bookmarks keep|per-file|none] [common options]
//   splimera mix FIRST SECOND [--first METHOD] [--second METHOD] [--reverse-second] [--single-file]
//                       [--bookmarks keep|per-file|none] [--name BASE] [--to FOLDER] [common options]
//
// A command only translates its arguments into the job's request and runs it
// as the window does.

bool isJobCommand(const std::string& firstArgument);

// What a job command needs from its surroundings.
struct JobCommandContext {
    std::ostream& out;  // one line per written file: its path and page count
    std::ostream& err;  // messages and usage errors
    std::function<std::string(const std::string& key)> translation;
    Protection storedProtection;  // the user's settings, unless the options say otherwise
};

// Runs the command given by the arguments after the program name; returns the
// process exit code (0 done, 1 the job failed or wrote nothing, 2 usage error).
int runJobCommand(const std::vector<std::string>& arguments, const JobCommandContext& context);

// The usage of the job commands, for --help.
std::string jobCommandUsage();
