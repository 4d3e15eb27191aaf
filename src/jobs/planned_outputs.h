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
// size learns how many files it writes only as it weighs them: its names are
// every one it may use (a file per page at most), outputCountKnown says so,
// and splitOutputFiles raises.

std::vector<std::string> plannedOutputs(const SplitRequest& request, int pageCount);
bool outputCountKnown(const SplitRequest& request);
// The files of a split with their numbers and the pages each takes, in order.
std::vector<PlannedFile> splitOutputFiles(const SplitRequest& request, int pageCount);
std::vector<std::string> plannedOutputs(const MixRequest& request, int pagesFirst, int pagesSecond);
// The turns in the first file a mix writes, with only the pages that exist:
// the first turn that takes a page, or every such turn when all go into one
// file; none when the mix writes nothing.
std::vector<MixTurn> firstMixOutputTurns(const MixRequest& request, int pagesFirst, int pagesSecond);
