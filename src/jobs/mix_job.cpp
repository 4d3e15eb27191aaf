#include "jobs/mix_job.h"

#include <optional>

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
        const PdfDocument first = openInput(request.first, reporter);
        refuseWithoutPages(first, request.first);
        const int pagesFirst = first.pageCount();
        const PdfDocument second = openInput(request.second, reporter);

        const MixPlanInput plan = request.planInput(pagesFirst, second.pageCount());

        JobOutputs outputs(finisher, reporter, {request.first, request.second}, request.bookmarks);
        // One output for all turns, or one per turn.
        std::optional<PdfDocument> output;
        if (request.singleFile) output = PdfDocument::create();
        MixWalk walk(plan);
        MixTurn turn;
        while (walk.next(turn)) {
            if (reporter.stopRequested()) break;
            for (int q = turn.firstPosition; q <= turn.lastPosition; ++q)
                reporter.setProgressPosition(progressPercent(q, pagesFirst));
            if (!request.singleFile) output = PdfDocument::create();
            outputs.addPages(0, appendPages(*output, first, turn.pagesFirst), plan.pagesFirst);
            outputs.addPages(1, appendPages(*output, second, turn.pagesSecond), plan.pagesSecond);
            if (!request.singleFile)
                closeTurnOutput(std::move(*output),
                                numberedOutputName(request.destinationFolder, request.baseName, turn.number, pagesFirst),
                                request, outputs);
        }
        if (request.singleFile && !reporter.stopRequested())
            closeTurnOutput(std::move(*output), singleMixOutputName(request), request, outputs);
        outputs.land();
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
    if (!request.silent && !reporter.stopRequested()) reporter.showMessage(reporter.translation("MsgMixDone"));
}
