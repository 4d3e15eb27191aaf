#pragma once

// Process exit codes: done, a job that failed or wrote nothing, invalid
// arguments or a missing input file.
enum ExitCode { ExitDone = 0, ExitJobFailed = 1, ExitUsage = 2 };
