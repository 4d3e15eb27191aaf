#include "jobs/planned_outputs.h"

#include <algorithm>

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
    if (request.method == SplitMethod::ByPageRange) {
        // Every group makes a file, also one whose pages lie beyond the end.
        const std::size_t groups = getRangeGroups(request.rangeList).size();
        for (std::size_t number = 1; number <= groups; ++number) add(static_cast<int>(number));
        return names;
    }
    const SplitRequest::Groups groups = request.groups();
    for (const PlannedFile& file : planGroupSplit(request.method, groups.size, groups.start, pageCount))
        if (file.written()) add(file.number);
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
