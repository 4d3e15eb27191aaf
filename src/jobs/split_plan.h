#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The ways of splitting, numbered as on the Split tab.
enum class SplitMethod { IntoFilesOf = 1, ByPageRange = 2, EveryGroupOf = 3, Each = 4, ByBookmarks = 5, BySize = 6 };

// One output document of a group split: the pages counted into it (for the
// progress bar) and the pages it takes. A document that takes no page is
// closed without a file, but its number is used up.
struct PlannedFile {
    int number = 0;                 // file number F, from 1
    long long firstCounted = 0;     // first and last page counted into it
    long long lastCounted = 0;
    std::vector<int> pages;         // 1-based pages taken, in order

    bool written() const { return !pages.empty(); }
};

// The output documents of methods 1, 3 and 4 over an input of pageCount
// pages, for group size (or step) groupSize and start page startPage (method
// 1 always starts at page 1). Pages from the start page to the last page are
// counted in groups of groupSize; a group closes when full or at the last
// page. Methods 1 and 3 take every counted page, method 4 only the last page
// of a full group. A group size of 0 never fills, so the one group runs to
// the last page. Page 0 and pages before it are counted but never taken.
std::vector<PlannedFile> planGroupSplit(SplitMethod method, int groupSize, int startPage, int pageCount);

// The pages one range-list group takes: every entry read as a whole number
// (failing with the "for Integer type" text), kept when 1 to pageCount.
// beforeEntry(i) is called before entry i is read.
std::vector<int> pagesOfEntries(const std::vector<std::string>& entries, int pageCount,
                                const std::function<void(std::size_t)>& beforeEntry = {});
