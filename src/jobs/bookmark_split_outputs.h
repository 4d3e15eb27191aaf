#pragma once
#include <string>
#include <vector>

#include "jobs/split_request.h"

// An output of a split by bookmarks: where it goes and its 1-based pages.
struct BookmarkOutput {
    std::string path;
    int firstPage = 1;
    int lastPage = 1;
};

// Reads the input's bookmarks with libqpdf and plans the files of a split at
// the request's level (planBookmarkSplit), named base name + number or, with
// titleNames, after their bookmarks (the pages before the first one keep the
// numbered name). Raises std::runtime_error naming the input when it has no
// bookmark of that level, or when libqpdf counts other pages than pageCount,
// so that the bookmarks' pages cannot be trusted.
std::vector<BookmarkOutput> bookmarkSplitOutputs(const SplitRequest& request, int pageCount);
