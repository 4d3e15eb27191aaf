#pragma once
#include <string>
#include <vector>

#include "app/silent_switches.h"

// Runs "-qs" or "-qm": with the window's dialogs where someone can see them
// (windowDialogs, in the window's Qt application), with the console and the
// terminal otherwise (null; no Qt needed). Returns the exit code.
int runSilentJob(const std::vector<std::string>& arguments, Dialogs* windowDialogs,
                 const SilentSwitches::ErrorReport& reportApplicationError);

// An error that ended a silent job where no window can show it.
void reportApplicationErrorOnConsole(const std::string& message);
