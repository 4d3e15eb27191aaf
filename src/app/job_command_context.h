#pragma once
#include "app/job_commands.h"

// The context of a job command in this program: standard input, output and
// error, the stored language's texts and protection settings, and the
// terminal for passwords and progress where there is one.
JobCommandContext programJobCommandContext();
