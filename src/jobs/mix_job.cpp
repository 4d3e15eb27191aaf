#include "jobs/mix_job.h"

#include <optional>

#include "jobs/document_session.h"
#include "jobs/finisher.h"
#include "jobs/output_naming.h"
#include "jobs/reporter.h"
#include "jobs/whole_number.h"

namespace {

// The fields only admit digits; a negative number from elsewhere would make
// the walk count up from far below page 1, writing files of the second
// document alone, so it is refused like any other unusable text.
int readNonNegative(const std::string& text) {
    const int value = readWholeNumber(text);
    if (value < 0) throw EConvertError("'" + text + "' is not a valid integer value: it must be 0 or more");
    return value;
}

// Writes the output when it holds a page; an output without pages is closed
// and leaves no file.
void closeTurnOutput(PdfDocument&& output, const std::string& path, const MixOptions& options, Finisher& finisher) {
    if (output.pageCount() < 1) return;
    refuseInputAsOutput(path, {options.first, options.second});
    writeOutput(std::move(output), path, finisher);
}

}  // namespace

MixCut readMixCut(const MixMethodFields& fields) {
    const bool group = fields.method == MixMethod::EveryGroupOf;
    MixCut cut;
    cut.method = fields.method;
    cut.count = readNonNegative(group ? fields.groupCount : fields.eachCount);
    cut.start = readNonNegative(group ? fields.groupStart : fields.eachStart);
    return cut;
}

bool mixWithPdfium(const MixOptions& options, Finisher& finisher, Reporter& reporter) {
    reporter.setProgressPosition(0);
    reporter.setProgressVisible(true);
    {
        const PdfDocument first = openInput(options.first);
        const int pagesFirst = first.pageCount();
        const PdfDocument second = openInput(options.second);

        MixPlanInput plan;
        plan.pagesFirst = pagesFirst;
        plan.pagesSecond = second.pageCount();
        plan.first = readMixCut(options.firstMethod);
        plan.second = readMixCut(options.secondMethod);
        plan.reverseSecond = options.reverseSecond;

        // One output for all turns, or one per turn.
        std::optional<PdfDocument> output;
        if (options.singleFile) output = PdfDocument::create();
        MixWalk walk(plan);
        MixTurn turn;
        while (walk.next(turn)) {
            for (int q = turn.firstPosition; q <= turn.lastPosition; ++q)
                reporter.setProgressPosition(progressPercent(q, pagesFirst));
            if (!options.singleFile) output = PdfDocument::create();
            appendPages(*output, first, turn.pagesFirst);
            appendPages(*output, second, turn.pagesSecond);
            if (!options.singleFile)
                closeTurnOutput(std::move(*output),
                                numberedOutputName(options.outputFolder, options.baseName, turn.number, pagesFirst),
                                options, finisher);
        }
        if (options.singleFile)
            closeTurnOutput(std::move(*output), options.outputFolder + options.baseName + "mixed.pdf", options, finisher);
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
    reporter.showMessage(reporter.translation("MsgMixDone"));
    return true;
}
