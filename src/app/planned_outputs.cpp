#include "app/planned_outputs.h"

#include "jobs/planned_outputs.h"

int plannedSplitFiles(const SplitRequest& request, int pageCount) {
    if (!outputCountKnown(request)) return -1;
    return static_cast<int>(plannedOutputs(request, pageCount).size());
}

int plannedMixFiles(const MixRequest& request, int pagesFirst, int pagesSecond) {
    return static_cast<int>(plannedOutputs(request, pagesFirst, pagesSecond).size());
}
