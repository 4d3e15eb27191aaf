#include "jobs/planned_outputs.h"

#include <algorithm>

#include "jobs/bookmark_split_outputs.h"
#include "jobs/output_naming.h"
#include "jobs/range_list.h"

namespace {

bool takesAPage(const std::vector<int>& pages, int pageCount) {
    return std::any_of(pages.begin(), pages.end(), [&](int page) { return page >= 1 && page <= pageCount; });
}

}  // namespace

std::vector<std::string> plannedOutputs(const SplitRequest& request, int pageCount) {
    std::vector<std::string> names;
    auto add = [&](int number) {
        names.push_back(numberedOutputName(request.destinationFolder, request.baseName, number, pageCount));
    };
    if (request.method == SplitMethod::BySize) {
        request.check();
        for (int number = 1; number <= pageCount; ++number) add(number);
        return names;
    }
    if (request.method == SplitMethod::ByBookmarks) {
        for (const BookmarkOutput& file : bookmarkSplitOutputs(request, pageCount)) names.push_back(file.path);
        return names;
    }
    if (request.method == SplitMethod::ByPageRange) {
        // A group takes its number also when it takes no page and writes no file.
        int number = 0;
        for (const std::string& group : getRangeGroups(request.rangeList)) {
            ++number;
            if (!pagesOfGroup(group, pageCount).empty()) add(number);
        }
        return names;
    }
    const SplitRequest::Groups groups = request.groups();
    for (const PlannedFile& file : planGroupSplit(request.method, groups.size, groups.start, pageCount))
        if (file.written()) add(file.number);
    return names;
}

bool outputCountKnown(const SplitRequest& request) { return request.method != SplitMethod::BySize; }

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
