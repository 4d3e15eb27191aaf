#pragma once
#include "jobs/split_request.h"

class Finisher;
class JobReporter;

// Splits the input into numbered files (destination + base name + number
// padded to the digits of the page count + ".pdf"), finishing each one with
// the request's protection as it is saved. Saying that it is done is the
// caller's, which knows what was written. The request is checked first; then
// the first failure ends the job:
// files written before it stay, the one being built is not written.
void runSplit(const SplitRequest& request, JobReporter& reporter);
// The same with outputs finished by the given finisher.
void runSplit(const SplitRequest& request, JobReporter& reporter, Finisher& finisher);
