#pragma once
#include <vector>

#include "jobs/mix_request.h"
#include "jobs/split_request.h"
#include "structure/document_outline.h"

// One place of a page strip.
struct StripPage {
    int document = 0;        // which of the strip's files, from 0
    int page = 0;            // 0-based page of that file
    std::vector<int> marks;  // the output files (a split) or turns (a mix) that open here
    bool taken = true;       // false: no output takes the page
};

// Every page of a file in order, unmarked.
std::vector<StripPage> plainStripPages(int pageCount);

// The pages of a merge in their order: the given pages (1-based) of each file
// in turn, the first page of each file marked with its number.
std::vector<StripPage> mergeStripPages(const std::vector<std::vector<int>>& pagesOfEachFile);

// The pages of the file to split in order, each marked with the numbers of
// the output files it is the first page of; pages no file takes are not
// taken. Fails as the split's plan does while a number or the range list
// cannot be read.
std::vector<StripPage> splitStripPages(const SplitRequest& request, int pageCount);

// The pages of a split at the bookmarks of `level` of the file's outline,
// marked as splitStripPages marks them; unmarked while the outline counts
// other pages than the file or has no bookmark at that level, which the split
// refuses.
std::vector<StripPage> bookmarkStripPages(const DocumentOutline& outline, int level, int pageCount);

// The pages of the first file the mix writes, in its order (the first
// document's pages of a turn, then the second's), each turn's first page
// marked with the turn's number. Fails as the mix's plan does.
std::vector<StripPage> mixStripPages(const MixRequest& request, int pagesFirst, int pagesSecond);
