#pragma once
#include <stdexcept>
#include <string>
#include <vector>

// A selection of one file's pages, as "1-3,z" or "z-1": pieces separated by
// ",", each a page or a range "a-b" that runs backwards when a is after b. A
// page is a number from 1, "z" for the last page or "rN" for the N-th page
// from the end ("r1" is "z").
struct PageSelectionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Raises PageSelectionError, naming the file, for a selection with a piece
// that is no page or range; the page count is not needed for that.
void checkPageSelection(const std::string& selection, const std::string& path);

// The pages the selection takes from the file of pageCount pages, in order
// with repeats; an empty selection takes every page. Raises
// PageSelectionError naming the file and its page count for a page that is
// not one of its pages, and as checkPageSelection does.
std::vector<int> selectedPages(const std::string& selection, int pageCount, const std::string& path);
