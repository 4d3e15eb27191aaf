#pragma once
#include <string>
#include <vector>

#include "jobs/mix_request.h"
#include "jobs/split_request.h"

// The files a job would write, worked out without opening or writing
// anything, so that a front end can ask before existing files are replaced.
// They throw RequestError as check() does, and a range list's reading errors as
// the split would. A range group or a turn whose pages all lie outside the
// documents writes no file and is left out. A split by bookmarks reads the
// input's bookmarks, and raises as the split would without them. A split by
// size learns how many files it writes only as it weighs them: its plan
// holds every name it may use (a file per page at most), and
// outputCountKnown says so.

std::vector<std::string> plannedOutputs(const SplitRequest& request, int pageCount);
bool outputCountKnown(const SplitRequest& request);
std::vector<std::string> plannedOutputs(const MixRequest& request, int pagesFirst, int pagesSecond);
