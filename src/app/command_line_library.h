#pragma once

// The silent switches and the window's forms live in a library of their own
// (Qt Core), loaded from the program's folder, so that the answers (usage,
// version, usage errors), the job commands (job_command_library.h) and the
// page-drawing service start without Qt; main.cpp loads it and calls its
// entry point (command_line_main.cpp), which takes what main takes.
constexpr const char* CommandLineLibraryName = "splimera_command_line";
constexpr const char* CommandLineEntryName = "splimeraCommandLineMain";
using CommandLineEntry = int (*)(int& argc, char** argv);
