#include "jobs/merge_job.h"

#include <stdexcept>

#include "finishing/finisher.h"
#include "jobs/document_session.h"
#include "jobs/job_outputs.h"
#include "jobs/job_reporter.h"
#include "jobs/page_selection.h"

void runMerge(const MergeRequest& request, JobReporter& reporter, Finisher& finisher) {
    if (request.inputs.size() < 2) {
        reporter.showMessage(reporter.translation("MsgErrAdd2files"));
        return;
    }
    request.check();
    finisher.prepare();
    refuseInputAsOutput(request.outputPath, request.inputs);
    PdfDocument output = PdfDocument::create();
    JobOutputs outputs(finisher, reporter, request.inputs, request.bookmarks);
    for (std::size_t i = 0; i < request.inputs.size(); ++i) {
        if (reporter.stopRequested()) return;
        const PdfDocument opened = outputs.openInput(i, request.inputs[i], reporter);
        const std::vector<int> pages = selectedPages(request.pageSelection(i), opened.pageCount(), request.inputs[i].path());
        const std::vector<int> copied = appendPages(output, opened, pages);
        outputs.addPages(i, copied, opened.pageCount());
        if (request.padOdd && copied.size() % 2 == 1) {
            const FS_SIZEF last = output.pageSize(output.pageCount());
            output.addBlankPage(last.width, last.height);
            outputs.addBlankPage();
        }
    }
    if (output.pageCount() == 0) {
        std::string names;
        for (const InputFile& input : request.inputs) names += (names.empty() ? "" : ", ") + input.path();
        throw std::runtime_error("None of the files to merge has a page that can be taken, so nothing was written: " + names);
    }
    outputs.write(std::move(output), request.outputPath);
    outputs.land();
}
