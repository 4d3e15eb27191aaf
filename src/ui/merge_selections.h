#pragma once
#include <string>
#include <vector>

#include "ui/file_lists.h"

class FileGrid;

// The page selections of the merge list, checked against the page counts the
// list holds, so that a wrong one is found before the merge starts.

// The pages the selection of the merge file in row (1 = the first file)
// takes, in order; raises PageSelectionError naming the file when it cannot.
std::vector<int> selectedPagesOf(const FileList& list, int row);
// The same, with every page of the file while its selection is wrong: what
// the page total and the panel of pages show until it is mended.
std::vector<int> mergedPagesOf(const FileList& list, int row);

// Why the selection of the merge file in row (1 = the first file) cannot be
// taken, naming the file; "" when it can.
std::string pageSelectionError(const FileList& list, int row);

// How many pages the merge of the first `files` rows writes: each file's
// selected pages (all of them while its selection is wrong), and a blank page
// after every odd count when `padOdd` is set.
long long mergedPageCount(const FileList& list, int files, bool padOdd);

// Marks the wrong selections of the grid's editable cells and tells why in
// their tips; the others get `hint` as their tip. Returns the first wrong
// row (1 = the first file), 0 when none is wrong.
int markPageSelections(FileGrid& grid, const FileList& list, int files, const std::string& hint);
