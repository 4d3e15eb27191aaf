#pragma once

// Everything but the answers (usage, version, usage errors) and the
// page-drawing service lives in a library of its own, loaded from the
// program's folder, so that those start with the fewest libraries; main.cpp
// loads it and calls its entry point (command_line_main.cpp), which takes what
// main takes. It has no Qt: job commands and silent jobs without a display
// run there; the forms that may show a window load the window's library.
constexpr const char* CommandLineLibraryName = "splimera_command_line";
constexpr const char* CommandLineEntryName = "splimeraCommandLineMain";
using CommandLineEntry = int (*)(int& argc, char** argv);
