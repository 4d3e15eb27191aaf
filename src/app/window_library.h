#pragma once

// The window and the forms that may show it (no arguments, "-s", "-m", and
// "-qs" or "-qm" where a display answers) live in a library of their own,
// loaded from the program's folder only by those forms, so that the command
// line and the page-drawing service start without Qt Widgets, Qt Gui and the
// display libraries. Returns the exit code.
int runWindowLibrary(int& argc, char** argv);

// The library's name (programLibraryEntry makes its file name), and its entry point
// (window_main.cpp), which takes what main takes.
constexpr const char* WindowLibraryName = "splimera_window";
constexpr const char* WindowEntryName = "splimeraWindowMain";
using WindowEntry = int (*)(int& argc, char** argv);
