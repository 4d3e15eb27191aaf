#include "jobs/planned_outputs.h"

#include <algorithm>
#include <stdexcept>

#include "jobs/bookmark_split_outputs.h"
#include "jobs/output_naming.h"
#include "jobs/range_list.h"

namespace {

bool takesAPage(const std::vector<int>& pages, int pageCount) {
    return std::any_of(pages.begin(), pages.end(), [&](int page) { return page >= 1 && page <= pageCount; });
}

void keepExisting(std::vector<int>& pages, int pageCount) {
    pages.erase(std::remove_if(pages.begin(), pages.end(), [&](int page) { return page < 1 || page > pageCount; }),
                pages.end());
}

}  // namespace

bool outputCountKnown(const SplitRequest& request) { return request.method != SplitMethod::BySize; }

std::vector<PlannedFile> splitOutputFiles(const SplitRequest& request, int pageCount) {
    if (request.method == SplitMethod::BySize)
        throw std::runtime_error("The files of a split by size are known only once they are weighed");
    if (request.method == SplitMethod::ByBookmarks) {
        std::vector<PlannedFile> files;
        for (const BookmarkOutput& output : bookmarkSplitOutputs(request, pageCount)) {
            PlannedFile file;
            file.number = static_cast<int>(files.size()) + 1;
            file.firstCounted = output.firstPage;
            file.lastCounted = output.lastPage;
            for (int page = output.firstPage; page <= output.lastPage; ++page) file.pages.push_back(page);
            files.push_back(std::move(file));
        }
        return files;
    }
    if (request.method != SplitMethod::ByPageRange) {
        const SplitRequest::Groups groups = request.groups();
        std::vector<PlannedFile> files = planGroupSplit(request.method, groups.size, groups.start, pageCount);
        files.erase(std::remove_if(files.begin(), files.end(), [](const PlannedFile& file) { return !file.written(); }),
                    files.end());
        return files;
    }
    // A group takes its number also when it takes no page and writes no file.
    std::vector<PlannedFile> files;
    int number = 0;
    for (const std::string& group : getRangeGroups(request.rangeList)) {
        PlannedFile file;
        file.number = ++number;
        file.pages = pagesOfGroup(group, pageCount);
        if (file.written()) files.push_back(std::move(file));
    }
    return files;
}

std::vector<std::string> plannedOutputs(const SplitRequest& request, int pageCount) {
    std::vector<std::string> names;
    if (request.method == SplitMethod::BySize) {
        request.check();
        for (int number = 1; number <= pageCount; ++number)
            names.push_back(numberedOutputName(request.destinationFolder, request.baseName, number, pageCount));
        return names;
    }
    if (request.method == SplitMethod::ByBookmarks) {
        for (const BookmarkOutput& file : bookmarkSplitOutputs(request, pageCount)) names.push_back(file.path);
        return names;
    }
    for (const PlannedFile& file : splitOutputFiles(request, pageCount))
        names.push_back(numberedOutputName(request.destinationFolder, request.baseName, file.number, pageCount));
    return names;
}

std::vector<std::string> plannedOutputs(const MixRequest& request, int pagesFirst, int pagesSecond) {
    std::vector<std::string> names;
    bool anyPage = false;
    for (const MixTurn& turn : planMix(request.planInput(pagesFirst, pagesSecond))) {
        if (!takesAPage(turn.pagesFirst, pagesFirst) && !takesAPage(turn.pagesSecond, pagesSecond)) continue;
        anyPage = true;
        if (!request.singleFile)
            names.push_back(numberedOutputName(request.destinationFolder, request.baseName, turn.number, pagesFirst));
    }
    if (request.singleFile && anyPage) names.push_back(singleMixOutputName(request));
    return names;
}

std::vector<MixTurn> firstMixOutputTurns(const MixRequest& request, int pagesFirst, int pagesSecond) {
    std::vector<MixTurn> turns;
    MixWalk walk(request.planInput(pagesFirst, pagesSecond));
    for (MixTurn turn; walk.next(turn);) {
        keepExisting(turn.pagesFirst, pagesFirst);
        keepExisting(turn.pagesSecond, pagesSecond);
        if (turn.empty()) continue;
        turns.push_back(std::move(turn));
        if (!request.singleFile) break;
    }
    return turns;
}
