#include "jobs/split_job.h"

#include <algorithm>

#include "finishing/finisher.h"
#include "jobs/document_session.h"
#include "jobs/job_outputs.h"
#include "jobs/job_reporter.h"
#include "jobs/output_naming.h"
#include "jobs/range_list.h"

namespace {

class SplitRun {
public:
    SplitRun(const SplitRequest& request, JobOutputs& outputs, JobReporter& reporter)
        : request_(request), input_(openInput(request.input, reporter)), outputs_(outputs), reporter_(reporter),
          pageCount_(input_.pageCount()) {
        refuseWithoutPages(input_, request.input);
    }

    void splitIntoGroups() {
        const SplitRequest::Groups groups = request_.groups();
        for (const PlannedFile& file : planGroupSplit(request_.method, groups.size, groups.start, pageCount_)) {
            for (long long page = std::max(file.firstCounted, 0LL); page <= file.lastCounted; ++page)
                reporter_.setProgressPosition(progressPercent(page, pageCount_));
            if (reporter_.stopRequested()) return;
            const std::string name = outputName(file.number);
            PdfDocument output = beginOutput();
            outputs_.addPages(0, appendPages(output, input_, file.pages), pageCount_);
            outputs_.write(std::move(output), name);
        }
    }

    // Each group is expanded (and its messages shown) only after the files of
    // the groups before it are written.
    void splitByRanges() {
        int number = 0;
        for (const std::string& group : getRangeGroups(request_.rangeList)) {
            if (reporter_.stopRequested()) return;
            const std::string name = outputName(++number);
            const std::vector<std::string> entries = expandRangeGroup(group, reporter_, pageCount_);
            reporter_.setProgressPosition(0);
            reporter_.setProgressVisible(true);
            PdfDocument output = beginOutput();
            const std::vector<int> pages = pagesOfEntries(entries, pageCount_, [&](std::size_t i) {
                reporter_.setProgressPosition(progressPercent(static_cast<long long>(i), entries.size()));
            });
            outputs_.addPages(0, appendPages(output, input_, pages), pageCount_);
            outputs_.write(std::move(output), name);
        }
    }

private:
    PdfDocument beginOutput() {
        PdfDocument output = PdfDocument::create();
        output.copyViewerPreferences(input_);
        return output;
    }

    // An edited base name can make an output name that of the input itself.
    std::string outputName(int number) const {
        const std::string name = numberedOutputName(request_.destinationFolder, request_.baseName, number, pageCount_);
        refuseInputAsOutput(name, {request_.input});
        return name;
    }

    const SplitRequest& request_;
    const PdfDocument input_;
    JobOutputs& outputs_;
    JobReporter& reporter_;
    const int pageCount_;
};

}  // namespace

void runSplit(const SplitRequest& request, JobReporter& reporter, Finisher& finisher) {
    request.check();
    finisher.prepare();
    reporter.setProgressPosition(0);
    reporter.setProgressVisible(true);
    {
        JobOutputs outputs(finisher, reporter, {request.input});
        SplitRun run(request, outputs, outputs.reporter());
        if (request.method == SplitMethod::ByPageRange)
            run.splitByRanges();
        else
            run.splitIntoGroups();
        outputs.land();
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
    if (!request.silent && !reporter.stopRequested()) reporter.showMessage(reporter.translation("MsgSplitDone"));
}
