#include "ui/strip_pages.h"

#include "jobs/bookmark_split_plan.h"
#include "jobs/planned_outputs.h"

namespace {

// Every page of the file, each output's first page marked with its number;
// pages no output takes are not taken.
std::vector<StripPage> markedStripPages(const std::vector<PlannedFile>& files, int pageCount) {
    std::vector<StripPage> pages = plainStripPages(pageCount);
    for (StripPage& page : pages) page.taken = false;
    for (const PlannedFile& file : files) {
        pages[file.pages.front() - 1].marks.push_back(file.number);
        for (int page : file.pages) pages[page - 1].taken = true;
    }
    return pages;
}

}  // namespace

std::vector<StripPage> plainStripPages(int pageCount) {
    std::vector<StripPage> pages(static_cast<std::size_t>(std::max(pageCount, 0)));
    for (int page = 0; page < pageCount; ++page) pages[page].page = page;
    return pages;
}

std::vector<StripPage> mergeStripPages(const std::vector<std::vector<int>>& pagesOfEachFile) {
    std::vector<StripPage> pages;
    for (std::size_t file = 0; file < pagesOfEachFile.size(); ++file) {
        const std::size_t opening = pages.size();
        for (int page : pagesOfEachFile[file]) pages.push_back({static_cast<int>(file), page - 1, {}, true});
        if (pages.size() > opening) pages[opening].marks.push_back(static_cast<int>(file) + 1);
    }
    return pages;
}

std::vector<StripPage> splitStripPages(const SplitRequest& request, int pageCount) {
    return markedStripPages(splitOutputFiles(request, pageCount), pageCount);
}

std::vector<StripPage> bookmarkStripPages(const DocumentOutline& outline, int level, int pageCount) {
    if (!outline.entries.empty() && outline.pageCount != pageCount) return plainStripPages(pageCount);
    std::vector<PlannedFile> files;
    for (const BookmarkFile& cut : planBookmarkSplit(outline.entries, level, pageCount)) {
        PlannedFile file;
        file.number = cut.number;
        for (int page = cut.firstPage; page <= cut.lastPage; ++page) file.pages.push_back(page);
        files.push_back(std::move(file));
    }
    return files.empty() ? plainStripPages(pageCount) : markedStripPages(files, pageCount);
}

std::vector<StripPage> mixStripPages(const MixRequest& request, int pagesFirst, int pagesSecond) {
    std::vector<StripPage> pages;
    for (const MixTurn& turn : firstMixOutputTurns(request, pagesFirst, pagesSecond)) {
        const std::size_t opening = pages.size();
        for (int page : turn.pagesFirst) pages.push_back({0, page - 1, {}, true});
        for (int page : turn.pagesSecond) pages.push_back({1, page - 1, {}, true});
        pages[opening].marks.push_back(turn.number);
    }
    return pages;
}
