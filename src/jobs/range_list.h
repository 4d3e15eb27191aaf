#pragma once
#include <climits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class JobReporter;

// A range piece that lacks the end at the given index ("5-", "-5", "--").
class ListError : public std::out_of_range {
public:
    explicit ListError(int index)
        : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};

// Cuts text at every separator. Pieces of no characters are dropped, blanks
// stay in their piece, and a stretch opened by ' or " runs to the next quote
// of the same kind (or the end) without being cut; the quotes stay.
std::vector<std::string> cutPieces(const std::string& text, char separator);

// The file groups of a range list such as "1-4,6;5,6;", in the order written.
std::vector<std::string> getRangeGroups(const std::string& rangeList);

// The page entries of one file group, in order with repeats. A range a-b
// gives a, a+1, ..., b in plain decimal; a single piece is kept as typed and
// read only when used. A descending range is announced through the reporter
// at once and skipped. Fails with ConvertError for a bound that is not a
// whole number and ListError for a range without both ends.
//
// Range entries outside 0..pageLimit are left out: the job skips the ones
// above the page count and the engine refuses the ones below 1, and without
// the limit a range such as 1-2147483647 would take billions of entries.
std::vector<std::string> expandRangeGroup(const std::string& group, JobReporter& reporter, int pageLimit = INT_MAX);

// The first group of a range list that cannot be read as pages and ranges (a
// bound or page that is not a whole number, a range without both ends), or
// nothing when every group can. For front ends that refuse such a list before
// the job writes anything; descending ranges are readable here, the job skips
// them with its message.
std::optional<std::string> firstUnreadableGroup(const std::string& rangeList);

// The pages one group takes from an input of pageCount pages, as the split
// reads them, with descending ranges skipped unannounced; for plans made
// before the job runs. Fails as expandRangeGroup and the entries' reading do.
std::vector<int> pagesOfGroup(const std::string& group, int pageCount);

// The pages a range list names beyond the last of pageCount pages, which the
// split skips, as the pieces that name them ("8-9" of "5-9" for 7 pages, "12"),
// each once, in the order written. Pieces that cannot be read are left to the
// split's own messages.
std::vector<std::string> pagesBeyondEnd(const std::string& rangeList, int pageCount);
