#pragma once
#include "jobs/merge_request.h"

class Finisher;
class JobReporter;

// Joins every input, page by page in list order (the pages of its selection
// when it has one), into the output file,
// finishes it with the request's protection; saying that it is done is the
// caller's. Fewer than two inputs write nothing and show
// "MsgErrAdd2files"; otherwise the request is checked first.
void runMerge(const MergeRequest& request, JobReporter& reporter);
// The same with the output finished by the given finisher.
void runMerge(const MergeRequest& request, JobReporter& reporter, Finisher& finisher);
