#pragma once
#include "jobs/mix_request.h"
#include "jobs/split_request.h"

// How many files a job is about to write, for its progress line: the files
// of its plan that take a page, or -1 when the job cannot know beforehand.
// The request is checked, and a range list read, before.
int plannedSplitFiles(const SplitRequest& request, int pageCount);
int plannedMixFiles(const MixRequest& request, int pagesFirst, int pagesSecond);
