#pragma once
#include <string>
#include <vector>

#include "jobs/mix_request.h"
#include "jobs/split_request.h"

// The files a job would write, worked out without opening or writing
// anything, so that a front end can ask before existing files are replaced.
// They throw RequestError as check() does, and a range list's reading errors as
// the split would. A range group or a turn whose pages all lie outside the
// documents writes no file and is left out.

std::vector<std::string> plannedOutputs(const SplitRequest& request, int pageCount);
std::vector<std::string> plannedOutputs(const MixRequest& request, int pagesFirst, int pagesSecond);
