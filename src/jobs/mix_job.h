#pragma once
#include "jobs/mix_request.h"

class Finisher;
class JobReporter;

// Takes the pages of the two documents in turns and writes each turn that has
// pages as a file of its own, named by the destination folder, the base name
// and the turn number padded to the digits of the first document's page
// count, and finishes it with the request's protection; saying that it is
// done is the caller's. The request is checked first; then errors (opening,
// saving, finishing) end the job, and files of turns written before stay.
void runMix(const MixRequest& request, JobReporter& reporter);
// The same with outputs finished by the given finisher.
void runMix(const MixRequest& request, JobReporter& reporter, Finisher& finisher);
