#include "jobs/mix_job.h"


#include "jobs/document_session.h"
#include "jobs/finisher.h"
#include "jobs/output_provenance.h"
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
void closeTurnOutput(TPdf& output, const std::string& path, const MixOptions& options, Finisher& finisher,
                     OutputProvenance& provenance) {
    if (output.PageCount() >= 1) {
        refuseInputAsOutput(path, {options.first, options.second});
        writeOutput(output, path, finisher, provenance);
    } else {
        output.setActive(false);
    }
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

bool mixWithPdfium(const MixOptions& options, PdfDocuments& documents, Finisher& finisher, Reporter& reporter) {
    reporter.setProgressPosition(0);
    reporter.setProgressVisible(true);
    {
        OpenedInput first(documents.Pdf, options.first);
        const int pagesFirst = documents.Pdf.PageCount();
        OpenedInput second(documents.Pdf2, options.second);

        MixPlanInput plan;
        plan.pagesFirst = pagesFirst;
        plan.pagesSecond = documents.Pdf2.PageCount();
        plan.first = readMixCut(options.firstMethod);
        plan.second = readMixCut(options.secondMethod);
        plan.reverseSecond = options.reverseSecond;

        TPdf& output = documents.PdfNew;
        OutputProvenance provenance({options.first, options.second}, options.bookmarks, reporter);
        try {
            if (options.singleFile) output.CreateDocument();
            MixWalk walk(plan);
            MixTurn turn;
            while (walk.next(turn)) {
                for (int q = turn.firstPosition; q <= turn.lastPosition; ++q)
                    reporter.setProgressPosition(progressPercent(q, pagesFirst));
                if (!options.singleFile) output.CreateDocument();
                provenance.addPages(0, appendPages(output, documents.Pdf, turn.pagesFirst), plan.pagesFirst);
                provenance.addPages(1, appendPages(output, documents.Pdf2, turn.pagesSecond), plan.pagesSecond);
                if (!options.singleFile)
                    closeTurnOutput(output,
                                    numberedOutputName(options.outputFolder, options.baseName, turn.number, pagesFirst),
                                    options, finisher, provenance);
            }
            if (options.singleFile)
                closeTurnOutput(output, options.outputFolder + options.baseName + "mixed.pdf", options, finisher,
                                provenance);
        } catch (...) {
            closeQuietly(output);
            throw;
        }
    }
    reporter.setProgressVisible(false);
    reporter.setProgressPosition(0);
    reporter.showMessage(reporter.translation("MsgMixDone"));
    return true;
}
