#pragma once
#include <string>
#include <vector>

#include "structure/document_outline.h"

// One output of a split by bookmarks: the pages from the bookmark it starts
// at to the page before the next cut.
struct BookmarkFile {
    int number = 0;        // from 1, in page order
    bool titled = false;   // false for the pages before the first bookmark
    std::string title;     // the bookmark's title, when titled
    int firstPage = 1;     // 1-based, inclusive
    int lastPage = 1;
};

// The files of a split at the bookmarks of the given level (1 = top) of a
// document of pageCount pages. Every bookmark of that level or above with a
// target page cuts the document there, so every page lands in exactly one
// file: a bookmark's file runs to the page before the next cut, and pages
// after a bookmark above the level (a chapter before its first section) make
// a file of their own named after it, as the pages before the first cut do
// (untitled). Of several cuts on one page the last in the outline starts the
// file, the earlier ones spanning no page. Without a bookmark of the level
// itself there is no file.
std::vector<BookmarkFile> planBookmarkSplit(const std::vector<OutlineEntry>& entries, int level, int pageCount);
