#include "jobs/split_job.h"

#include <algorithm>
#include <optional>

#include "finishing/finisher.h"
#include "jobs/bookmark_split_outputs.h"
#include "jobs/document_session.h"
#include "jobs/job_outputs.h"
#include "jobs/job_reporter.h"
#include "jobs/output_naming.h"
#include "jobs/range_list.h"
#include "jobs/size_fitting.h"

namespace {

// The 1-based pages first to last.
std::vector<int> pageRun(int first, int last) {
    std::vector<int> pages;
    for (int page = first; page <= last; ++page) pages.push_back(page);
    return pages;
}

class SplitRun {
public:
    SplitRun(const SplitRequest& request, JobOutputs& outputs, JobReporter& reporter)
        : request_(request), input_(outputs.openInput(0, request.input, reporter)), outputs_(outputs), reporter_(reporter),
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

    void splitByBookmarks() {
        for (const BookmarkOutput& file : bookmarkSplitOutputs(request_, pageCount_)) {
            if (reporter_.stopRequested()) return;
            refuseInputAsOutput(file.path, {request_.input});
            PdfDocument output = beginOutput();
            outputs_.addPages(0, appendPages(output, input_, pageRun(file.firstPage, file.lastPage)), pageCount_);
            outputs_.write(std::move(output), file.path);
            reporter_.setProgressPosition(progressPercent(file.lastPage, pageCount_));
        }
    }

    // Files of consecutive pages, each weighed as it will be written
    // (finishing included) while its pages are chosen.
    void splitBySize() {
        const long long limit = request_.sizeLimitBytes();
        SizeModel model;
        std::string alone;  // the pages over the limit on their own
        int number = 0;
        for (int first = 1; first <= pageCount_;) {
            if (reporter_.stopRequested()) break;
            const std::string name = outputName(++number);
            std::optional<FinishedOutput> kept;
            const int pages = fitPages(pageCount_ - first + 1, limit, model, [&](int count) {
                PdfDocument output = beginOutput();
                outputs_.addPages(0, appendPages(output, input_, pageRun(first, first + count - 1)), pageCount_);
                FinishedOutput candidate = outputs_.finish(std::move(output), name);
                const long long size = static_cast<long long>(candidate.bytes.size());
                if (size <= limit || count == 1) kept = std::move(candidate);
                return size;
            });
            if (static_cast<long long>(kept->bytes.size()) > limit)
                alone += (alone.empty() ? "" : ", ") + std::to_string(first) + " (" + name + ")";
            outputs_.write(std::move(*kept));
            first += pages;
            reporter_.setProgressPosition(progressPercent(first - 1, pageCount_));
        }
        if (!alone.empty()) reporter_.showMessage(reporter_.translation("MsgPagesOverSize") + " " + alone);
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
        else if (request.method == SplitMethod::ByBookmarks)
            run.splitByBookmarks();
        else if (request.method == SplitMethod::BySize)
            run.splitBySize();
        else
            run.splitIntoGroups();
        outputs.land();
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
}
