#pragma once
#include <string>

// The second line of every usage error.
inline constexpr const char* UsageHint = "Run 'splimera --help' for usage.";

// The whole usage, printed by --help.
std::string commandLineUsage();
// The job commands' part of it.
std::string jobCommandUsage();
// The manual page's lists of the job commands' options, in roff.
std::string manualPageOptions();
// "Splimera " and the version, printed by --version.
std::string versionLine();
