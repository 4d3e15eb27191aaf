#include "jobs/merge_job.h"

#include <numeric>

#include "jobs/document_session.h"
#include "jobs/finisher.h"
#include "jobs/reporter.h"

bool mergeWithPdfium(const MergeOptions& options, Finisher& finisher, Reporter& reporter) {
    if (options.inputs.size() < 2) {
        reporter.showMessage(reporter.translation("MsgErrAdd2files"));
        return false;
    }
    int pageTotal = 0;
    refuseInputAsOutput(options.outputPath, options.inputs);
    PdfDocument output = PdfDocument::create();
    for (const InputFile& input : options.inputs) {
        const PdfDocument opened = openInput(input);
        std::vector<int> pages(static_cast<std::size_t>(opened.pageCount()));
        std::iota(pages.begin(), pages.end(), 1);
        appendPages(output, opened, pages);
        pageTotal += static_cast<int>(pages.size());
    }
    writeOutput(std::move(output), options.outputPath, finisher);
    if (!options.silent)
        reporter.showMessage(reporter.translation("MsgMergeDone") + " (total pages: " + std::to_string(pageTotal) + ")");
    return true;
}
