#include "app/planned_outputs.h"

#include <algorithm>

#include "jobs/range_list.h"

int plannedSplitFiles(const SplitRequest& request, int pageCount) {
    if (request.method == SplitMethod::ByPageRange) {
        const std::vector<std::string> groups = getRangeGroups(request.rangeList);
        return static_cast<int>(std::count_if(groups.begin(), groups.end(), [&](const std::string& group) {
            return !pagesOfGroup(group, pageCount).empty();
        }));
    }
    const SplitRequest::Groups groups = request.groups();
    const std::vector<PlannedFile> files = planGroupSplit(request.method, groups.size, groups.start, pageCount);
    return static_cast<int>(std::count_if(files.begin(), files.end(), [](const PlannedFile& file) { return file.written(); }));
}

int plannedMixFiles(const MixRequest& request, int pagesFirst, int pagesSecond) {
    MixPlanInput plan;
    plan.first = request.firstCut();
    plan.second = request.secondCut();
    plan.pagesFirst = pagesFirst;
    plan.pagesSecond = pagesSecond;
    plan.reverseSecond = request.reverseSecond;
    int turns = 0;
    MixWalk walk(plan);
    for (MixTurn turn; walk.next(turn);) turns += turn.empty() ? 0 : 1;
    return request.singleFile ? std::min(turns, 1) : turns;
}
