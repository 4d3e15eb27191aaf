#pragma once

// The job commands ("split", "merge", "mix") live in a library of their own
// without Qt, loaded from the program's folder only for them, so that a job
// maps neither Qt nor its Unicode libraries; main.cpp loads it and calls its
// entry point (job_command_main.cpp), which takes what main takes, as the
// command line's entry point does (CommandLineEntry).
constexpr const char* JobCommandLibraryName = "splimera_job_command";
constexpr const char* JobCommandEntryName = "splimeraJobCommandMain";
