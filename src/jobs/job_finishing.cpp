#include "jobs/job_finishing.h"

#include "base/application.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/split_job.h"

namespace {

template <typename Request>
void runFinished(void (*run)(const Request&, JobReporter&, Finisher&), const Request& request, JobReporter& reporter) {
    OutputFinisher finisher = finisherFor(request.protection);
    run(request, reporter, finisher);
}

}  // namespace

OutputFinisher finisherFor(const Protection& protection) { return OutputFinisher(protection, CreatorText); }

void runSplit(const SplitRequest& request, JobReporter& reporter) { runFinished<SplitRequest>(runSplit, request, reporter); }
void runMerge(const MergeRequest& request, JobReporter& reporter) { runFinished<MergeRequest>(runMerge, request, reporter); }
void runMix(const MixRequest& request, JobReporter& reporter) { runFinished<MixRequest>(runMix, request, reporter); }
