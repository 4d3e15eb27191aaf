#pragma once
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/job_passwords.h"
#include "base/protection.h"

// The job commands for scripts: "split", "merge" and "mix" as first word,
// each job with every method and option of the window; the options each
// command takes are those of its entries in the option table (job_options.h).
//
// A command translates its arguments into the job's request, checks all of
// it before anything is written, and runs it as the window does.

bool isJobCommand(const std::string& firstArgument);

// What a job command needs from its surroundings.
struct JobCommandContext {
    std::ostream& out;  // one line per written file: its path and page count
    std::ostream& err;  // messages, usage errors and, on a terminal, the progress
    std::istream& in;   // read for a password file named "-"
    std::function<std::string(const std::string& key)> translation;
    Protection storedProtection;  // the user's settings, unless the options say otherwise
    AskPassword askPassword;      // empty when nobody can be asked
    bool showProgress = false;    // err is a terminal
};

// Runs the command given by the arguments after the program name; returns the
// process exit code (0 done, 1 the job failed or wrote nothing, 2 usage error).
int runJobCommand(const std::vector<std::string>& arguments, const JobCommandContext& context);
