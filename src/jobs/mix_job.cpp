#include "jobs/mix_job.h"

#include <vector>

#include "finishing/finisher.h"
#include "jobs/document_session.h"
#include "jobs/job_outputs.h"
#include "jobs/job_reporter.h"
#include "jobs/output_naming.h"

namespace {

// Writes the output when it holds a page; an output without pages leaves no file.
void closeTurnOutput(PdfDocument&& output, const std::string& path, const MixRequest& request, JobOutputs& outputs) {
    if (output.pageCount() > 0) refuseInputAsOutput(path, {request.first, request.second});
    outputs.write(std::move(output), path);
}

}  // namespace

void runMix(const MixRequest& request, JobReporter& reporter, Finisher& finisher) {
    request.check();
    finisher.prepare();
    reporter.setProgressPosition(0);
    reporter.setProgressVisible(true);
    {
        JobOutputs outputs(finisher, reporter, {request.first, request.second}, request.bookmarks);
        const PdfDocument first = outputs.openInput(0, request.first, reporter);
        refuseWithoutPages(first, request.first);
        const int pagesFirst = first.pageCount();
        const PdfDocument second = outputs.openInput(1, request.second, reporter);

        const MixPlanInput plan = request.planInput(pagesFirst, second.pageCount());
        // One output for all turns, its pages imported once the turns are known; or one per turn.
        std::vector<PageRun> runs;
        MixWalk walk(plan);
        MixTurn turn;
        while (walk.next(turn)) {
            if (reporter.stopRequested()) break;
            for (int q = turn.firstPosition; q <= turn.lastPosition; ++q)
                reporter.setProgressPosition(progressPercent(q, pagesFirst));
            if (request.singleFile) {
                runs.push_back({&first, turn.pagesFirst});
                runs.push_back({&second, turn.pagesSecond});
                continue;
            }
            PdfDocument output = PdfDocument::create();
            outputs.addPages(0, appendPages(output, first, turn.pagesFirst), plan.pagesFirst);
            outputs.addPages(1, appendPages(output, second, turn.pagesSecond), plan.pagesSecond);
            closeTurnOutput(std::move(output),
                            numberedOutputName(request.destinationFolder, request.baseName, turn.number, pagesFirst),
                            request, outputs);
        }
        if (request.singleFile && !reporter.stopRequested()) {
            PdfDocument output = PdfDocument::create();
            const std::vector<std::vector<int>> copied = appendRuns(output, runs);
            for (std::size_t run = 0; run < runs.size(); ++run)
                outputs.addPages(run % 2, copied[run], run % 2 == 0 ? plan.pagesFirst : plan.pagesSecond);
            closeTurnOutput(std::move(output), singleMixOutputName(request), request, outputs);
        }
        outputs.land();
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
}
