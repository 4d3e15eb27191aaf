#include "jobs/split_job.h"

#include <algorithm>

#include "jobs/document_session.h"
#include "jobs/finisher.h"
#include "jobs/output_naming.h"
#include "jobs/range_list.h"
#include "jobs/reporter.h"
#include "jobs/whole_number.h"

namespace {

struct GroupFields {
    int size = 0;
    int start = 1;
};

GroupFields readGroupFields(const SplitOptions& options) {
    switch (options.method) {
    case SplitMethod::EveryGroupOf: {
        const int size = readWholeNumber(options.everyGroupSize);
        return {size, readWholeNumber(options.everyGroupStart)};
    }
    case SplitMethod::Each: {
        const int step = readWholeNumber(options.eachStep);
        return {step, readWholeNumber(options.eachStart)};
    }
    default:
        return {readWholeNumber(options.filesOfSize), 1};
    }
}

class SplitRun {
public:
    SplitRun(const SplitOptions& options, Finisher& finisher, Reporter& reporter)
        : options_(options), input_(openInput(options.input)), finisher_(finisher), reporter_(reporter),
          pageCount_(input_.pageCount()) {}

    void splitIntoGroups() {
        const GroupFields fields = readGroupFields(options_);
        for (const PlannedFile& file : planGroupSplit(options_.method, fields.size, fields.start, pageCount_)) {
            for (long long page = std::max(file.firstCounted, 0LL); page <= file.lastCounted; ++page)
                reporter_.setProgressPosition(progressPercent(page, pageCount_));
            if (!file.written()) continue;  // a document without pages is closed unwritten
            const std::string name = outputName(file.number);
            PdfDocument output = beginOutput();
            appendPages(output, input_, file.pages);
            writeOutput(std::move(output), name, finisher_);
        }
    }

    // Each group is expanded (and its messages shown) only after the files of
    // the groups before it are written.
    void splitByRanges() {
        int number = 0;
        for (const std::string& group : getRangeGroups(options_.rangeList)) {
            const std::string name = outputName(++number);
            const std::vector<std::string> entries = expandRangeGroup(group, reporter_, pageCount_);
            reporter_.setProgressPosition(0);
            reporter_.setProgressVisible(true);
            PdfDocument output = beginOutput();
            const std::vector<int> pages = pagesOfEntries(entries, pageCount_, [&](std::size_t i) {
                reporter_.setProgressPosition(progressPercent(static_cast<long long>(i), entries.size()));
            });
            appendPages(output, input_, pages);
            writeOutput(std::move(output), name, finisher_);
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
        const std::string name = numberedOutputName(options_.destinationFolder, options_.baseName, number, pageCount_);
        refuseInputAsOutput(name, {options_.input});
        return name;
    }

    const SplitOptions& options_;
    const PdfDocument input_;
    Finisher& finisher_;
    Reporter& reporter_;
    const int pageCount_;
};

}  // namespace

bool splitWithPdfium(const SplitOptions& options, Finisher& finisher, Reporter& reporter) {
    reporter.setProgressPosition(0);
    reporter.setProgressVisible(true);
    {
        SplitRun run(options, finisher, reporter);
        if (options.method == SplitMethod::ByPageRange)
            run.splitByRanges();
        else
            run.splitIntoGroups();
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
    if (!options.silent) reporter.showMessage(reporter.translation("MsgSplitDone"));
    return true;
}
