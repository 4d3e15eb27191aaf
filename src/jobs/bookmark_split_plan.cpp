#include "jobs/bookmark_split_plan.h"

#include <algorithm>

std::vector<BookmarkFile> planBookmarkSplit(const std::vector<OutlineEntry>& entries, int level, int pageCount) {
    std::vector<const OutlineEntry*> cuts;
    bool levelFound = false;
    for (const OutlineEntry& entry : entries) {
        if (entry.level > level || entry.page < 0 || entry.page >= pageCount) continue;
        cuts.push_back(&entry);
        levelFound = levelFound || entry.level == level;
    }
    if (!levelFound) return {};
    std::stable_sort(cuts.begin(), cuts.end(),
                     [](const OutlineEntry* a, const OutlineEntry* b) { return a->page < b->page; });

    std::vector<BookmarkFile> files;
    auto add = [&](bool titled, const std::string& title, int firstPage) {
        if (!files.empty()) files.back().lastPage = firstPage - 1;
        files.push_back({static_cast<int>(files.size()) + 1, titled, title, firstPage, pageCount});
    };
    if (cuts.front()->page > 0) add(false, {}, 1);
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const bool lastOnItsPage = i + 1 == cuts.size() || cuts[i + 1]->page != cuts[i]->page;
        if (lastOnItsPage) add(true, cuts[i]->title, cuts[i]->page + 1);
    }
    return files;
}
