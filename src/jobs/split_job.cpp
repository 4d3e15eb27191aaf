#include "jobs/split_job.h"

#include <algorithm>

#include "jobs/document_session.h"
#include "jobs/finisher.h"
#include "jobs/output_provenance.h"
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
    SplitRun(const SplitOptions& options, PdfDocuments& documents, Finisher& finisher, Reporter& reporter)
        : options_(options), input_(documents.Pdf), output_(documents.PdfNew), finisher_(finisher),
          reporter_(reporter), pageCount_(input_.PageCount()), provenance_({options.input}, BookmarkMode::Keep, reporter) {}

    void splitIntoGroups() {
        const GroupFields fields = readGroupFields(options_);
        for (const PlannedFile& file : planGroupSplit(options_.method, fields.size, fields.start, pageCount_)) {
            for (long long page = std::max(file.firstCounted, 0LL); page <= file.lastCounted; ++page)
                reporter_.setProgressPosition(progressPercent(page, pageCount_));
            if (!file.written()) continue;  // a document without pages is closed unwritten
            const std::string name = outputName(file.number);
            beginOutput();
            provenance_.addPages(0, appendPages(output_, input_, file.pages), pageCount_);
            writeOutput(output_, name, finisher_, provenance_);
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
            beginOutput();
            const std::vector<int> pages = pagesOfEntries(entries, pageCount_, [&](std::size_t i) {
                reporter_.setProgressPosition(progressPercent(static_cast<long long>(i), entries.size()));
            });
            provenance_.addPages(0, appendPages(output_, input_, pages), pageCount_);
            writeOutput(output_, name, finisher_, provenance_);
        }
    }

private:
    void beginOutput() {
        output_.CreateDocument();
        output_.ImportPreferences(input_);
    }

    // An edited base name can make an output name that of the input itself.
    std::string outputName(int number) const {
        const std::string name = numberedOutputName(options_.destinationFolder, options_.baseName, number, pageCount_);
        refuseInputAsOutput(name, {options_.input});
        return name;
    }

    const SplitOptions& options_;
    TPdf& input_;
    TPdf& output_;
    Finisher& finisher_;
    Reporter& reporter_;
    const int pageCount_;
    OutputProvenance provenance_;
};

}  // namespace

bool splitWithPdfium(const SplitOptions& options, PdfDocuments& documents, Finisher& finisher, Reporter& reporter) {
    reporter.setProgressPosition(0);
    reporter.setProgressVisible(true);
    try {
        OpenedInput opened(documents.Pdf, options.input);
        SplitRun run(options, documents, finisher, reporter);
        if (options.method == SplitMethod::ByPageRange)
            run.splitByRanges();
        else
            run.splitIntoGroups();
    } catch (...) {
        closeQuietly(documents.PdfNew);
        throw;
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
    if (!options.silent) reporter.showMessage(reporter.translation("MsgSplitDone"));
    return true;
}
