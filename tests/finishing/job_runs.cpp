#include "job_runs.h"

#include "jobs/merge_job.h"
#include "jobs/split_job.h"

namespace job_runs {

void splitByRanges(const std::string& folder, const std::string& input, const std::string& ranges,
                   JobReporter& reporter) {
    SplitRequest request;
    request.input = {input, folder, ""};
    request.method = SplitMethod::ByPageRange;
    request.rangeList = ranges;
    request.baseName = "part_";
    request.destinationFolder = folder;
    runSplit(request, reporter);
}

void merge(const std::string& folder, const std::vector<std::string>& inputs, const std::string& output,
           JobReporter& reporter) {
    MergeRequest request;
    for (const std::string& input : inputs) request.inputs.push_back({input, folder, ""});
    request.outputPath = folder + output;
    runMerge(request, reporter);
}

}  // namespace job_runs
