#include "jobs/page_selection.h"

#include <optional>

#include "base/whole_number.h"
#include "jobs/range_list.h"

namespace {

// A page as written: counted from the first page, or from the last.
struct PageBound {
    int number = 0;
    bool fromEnd = false;
    std::string text;
};

struct PageRange {
    PageBound first, last;
};

std::optional<PageBound> readBound(const std::string& text) {
    if (text == "z") return PageBound{1, true, text};
    const bool fromEnd = !text.empty() && text[0] == 'r';
    // Numbers are read as the split's range lists read them.
    const std::optional<int> number = parseWholeNumber(fromEnd ? text.substr(1) : text);
    if (!number) return std::nullopt;
    return PageBound{*number, fromEnd, text};
}

std::vector<PageRange> readSelection(const std::string& selection, const std::string& path) {
    std::vector<PageRange> ranges;
    for (const std::string& piece : cutPieces(selection, ',')) {
        const std::size_t dash = piece.find('-');
        const std::optional<PageBound> first = readBound(piece.substr(0, dash));
        const std::optional<PageBound> last = dash == std::string::npos ? first : readBound(piece.substr(dash + 1));
        if (!first || !last)
            throw PageSelectionError("The page selection of " + path + " holds '" + piece +
                                     "', which is no page or range such as 1-3, z or r2-1");
        ranges.push_back({*first, *last});
    }
    return ranges;
}

int pageOf(const PageBound& bound, int pageCount, const std::string& path) {
    const long long page = bound.fromEnd ? static_cast<long long>(pageCount) + 1 - bound.number : bound.number;
    if (page < 1 || page > pageCount)
        throw PageSelectionError("The page selection of " + path + " names page " + bound.text +
                                 ", which is not one of its " + std::to_string(pageCount) +
                                 (pageCount == 1 ? " page" : " pages"));
    return static_cast<int>(page);
}

}  // namespace

void checkPageSelection(const std::string& selection, const std::string& path) { readSelection(selection, path); }

std::vector<int> selectedPages(const std::string& selection, int pageCount, const std::string& path) {
    std::vector<int> pages;
    if (selection.empty()) {
        for (int page = 1; page <= pageCount; ++page) pages.push_back(page);
        return pages;
    }
    for (const PageRange& range : readSelection(selection, path)) {
        const int first = pageOf(range.first, pageCount, path);
        const int last = pageOf(range.last, pageCount, path);
        const int step = first <= last ? 1 : -1;
        for (int page = first;; page += step) {
            pages.push_back(page);
            if (page == last) break;
        }
    }
    return pages;
}
