#pragma once
#include <string>
#include <vector>

#include "base/protection.h"
#include "structure/structure_request.h"
#include "jobs/input_file.h"

// Everything a merge needs: the inputs in merge order and the output file.
struct MergeRequest {
    std::vector<InputFile> inputs;
    std::string outputPath;  // used as it is
    Protection protection;
    BookmarkMode bookmarks = BookmarkMode::Keep;
    // A blank page, of the size of its last page, after every input of an odd
    // number of pages, so that each input starts on a front side when printed
    // on both sides.
    bool padOdd = false;
    // The pages taken from each input, by its index: a page selection such as
    // "1-3,z" (page_selection.h); an empty or missing one takes every page.
    std::vector<std::string> pageSelections;

    // The page selection of the input at that index ("" for every page).
    std::string pageSelection(std::size_t input) const;
    // Raises RequestError when no output file is given, and
    // PageSelectionError for a selection that is no pages and ranges.
    void check() const;
};
