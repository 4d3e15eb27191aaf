#include "jobs/range_list.h"

#include <algorithm>

#include "jobs/job_reporter.h"
#include "jobs/split_plan.h"
#include "base/whole_number.h"

std::vector<std::string> cutPieces(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string piece;
    char openQuote = 0;
    for (char c : text) {
        if (openQuote) {
            if (c == openQuote) openQuote = 0;
        } else if (c == separator) {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
            continue;
        } else if (c == '\'' || c == '"') {
            openQuote = c;
        }
        piece += c;
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

namespace {

// Takes the messages of a check that only wants to know whether a group reads.
class UnheardReporter : public JobReporter {
public:
    void showMessage(const std::string&) override {}
    std::string translation(const std::string&) override { return {}; }
};

}  // namespace

std::vector<std::string> getRangeGroups(const std::string& rangeList) { return cutPieces(rangeList, ';'); }

std::vector<std::string> expandRangeGroup(const std::string& group, JobReporter& reporter, int pageLimit) {
    std::vector<std::string> entries;
    for (const std::string& piece : cutPieces(group, ',')) {
        if (piece.find('-') == std::string::npos) {
            entries.push_back(piece);
            continue;
        }
        // Ends beyond the second are ignored: 1-3-5 is the range 1 to 3.
        const std::vector<std::string> ends = cutPieces(piece, '-');
        if (ends.empty()) throw ListError(0);
        const int low = readWholeNumber(ends[0]);
        if (ends.size() < 2) throw ListError(1);
        const int high = readWholeNumber(ends[1]);
        if (low > high) {
            reporter.showMessage("The following page range is invalid and was skipped: " + piece);
            continue;
        }
        const long long first = std::max(low, 0);
        const long long last = std::min(high, pageLimit);
        for (long long page = first; page <= last; ++page) entries.push_back(std::to_string(page));
    }
    return entries;
}

std::optional<std::string> firstUnreadableGroup(const std::string& rangeList) {
    UnheardReporter unheard;
    for (const std::string& group : getRangeGroups(rangeList)) {
        try {
            // A page limit of 0 reads every bound without spelling out long ranges.
            for (const std::string& entry : expandRangeGroup(group, unheard, 0)) readIntegerEntry(entry);
        } catch (const std::exception&) {
            return group;
        }
    }
    return std::nullopt;
}

std::vector<int> pagesOfGroup(const std::string& group, int pageCount) {
    UnheardReporter unheard;
    return pagesOfEntries(expandRangeGroup(group, unheard, pageCount), pageCount);
}

std::vector<std::string> pagesBeyondEnd(const std::string& rangeList, int pageCount) {
    std::vector<std::string> beyond;
    const auto add = [&](long long first, long long last) {
        const std::string piece = first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
        if (std::find(beyond.begin(), beyond.end(), piece) == beyond.end()) beyond.push_back(piece);
    };
    for (const std::string& group : getRangeGroups(rangeList))
        for (const std::string& piece : cutPieces(group, ',')) {
            const std::vector<std::string> ends = cutPieces(piece, '-');
            const std::optional<int> low = ends.empty() ? std::nullopt : parseWholeNumber(ends[0]);
            const std::optional<int> high = piece.find('-') == std::string::npos ? low
                                            : ends.size() < 2                  ? std::nullopt
                                                                               : parseWholeNumber(ends[1]);
            if (!low || !high || *low > *high || *high <= pageCount) continue;
            add(std::max<long long>(*low, pageCount + 1LL), *high);
        }
    return beyond;
}
