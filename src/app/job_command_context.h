#pragma once
#include "app/job_commands.h"

// The context of a job command in this program: standard output and error,
// the stored language's texts and the stored protection settings.
JobCommandContext programJobCommandContext();
