#pragma once
#include <string>
#include <vector>

#include "ui/listed_file.h"

// The page selections of the merge list, checked against the page counts the
// list holds, so that a wrong one is found before the merge starts.

// The pages the file's selection takes, in order; raises PageSelectionError
// naming the file when it cannot.
std::vector<int> selectedPagesOf(const ListedFile& file);
// The same, with every page of the file while its selection is wrong: what
// the page total and the panel of pages show until it is mended.
std::vector<int> mergedPagesOf(const ListedFile& file);

// Why the file's selection cannot be taken, naming the file; "" when it can.
std::string pageSelectionError(const ListedFile& file);

// How many pages the merge of the files writes: each file's selected pages
// (all of them while its selection is wrong), and a blank page after every
// odd count when `padOdd` is set.
long long mergedPageCount(const std::vector<ListedFile>& files, bool padOdd);
