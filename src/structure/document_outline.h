#pragma once
#include <string>
#include <vector>

// The bookmarks of a document, read with libqpdf, for jobs that cut a
// document where its bookmarks point.

struct OutlineEntry {
    int level = 1;      // 1 at the top, 2 beneath a top-level entry, ...
    std::string title;  // UTF-8
    int page = -1;      // the 0-based page it goes to, or -1 when it goes to none
};

struct DocumentOutline {
    std::vector<OutlineEntry> entries;  // in document order, a parent before its children
    int pageCount = 0;                  // the pages libqpdf finds, which the targets count in
};

// Raises std::runtime_error naming the file and the reason when libqpdf
// cannot read it.
DocumentOutline readDocumentOutline(const std::string& path, const std::string& password);
