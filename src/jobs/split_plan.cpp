#include "jobs/split_plan.h"

#include <algorithm>

#include "base/whole_number.h"

std::vector<PlannedFile> planGroupSplit(SplitMethod method, int groupSize, int startPage, int pageCount) {
    std::vector<PlannedFile> files;
    const long long start = method == SplitMethod::IntoFilesOf ? 1 : startPage;
    const long long last = pageCount;
    if (start > last) return files;
    const bool fills = groupSize > 0;
    const long long span = fills ? groupSize : last - start + 1;
    // Groups lying wholly before page 0 take nothing; they only use up numbers.
    long long group = start < 0 ? -start / span : 0;
    for (;; ++group) {
        const long long first = start + group * span;
        if (first > last) break;
        PlannedFile file;
        file.number = static_cast<int>(group + 1);
        file.firstCounted = first;
        file.lastCounted = std::min(first + span - 1, last);
        if (method == SplitMethod::Each) {
            const bool full = fills && first + span - 1 <= last;
            if (full && file.lastCounted >= 1) file.pages.push_back(static_cast<int>(file.lastCounted));
        } else {
            for (long long page = std::max(first, 1LL); page <= file.lastCounted; ++page)
                file.pages.push_back(static_cast<int>(page));
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::vector<int> pagesOfEntries(const std::vector<std::string>& entries, int pageCount,
                                const std::function<void(std::size_t)>& beforeEntry) {
    std::vector<int> pages;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (beforeEntry) beforeEntry(i);
        const int page = readIntegerEntry(entries[i]);
        if (page >= 1 && page <= pageCount) pages.push_back(page);
    }
    return pages;
}
