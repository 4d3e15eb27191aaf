#include "jobs/merge_job.h"

#include <numeric>

#include "jobs/document_session.h"
#include "jobs/finisher.h"
#include "jobs/output_provenance.h"
#include "jobs/reporter.h"

bool mergeWithPdfium(const MergeOptions& options, PdfDocuments& documents, Finisher& finisher, Reporter& reporter) {
    if (options.inputs.size() < 2) {
        reporter.showMessage(reporter.translation("MsgErrAdd2files"));
        return false;
    }
    int pageTotal = 0;
    refuseInputAsOutput(options.outputPath, options.inputs);
    TPdf& output = documents.PdfNew;
    output.CreateDocument();
    OutputProvenance provenance(options.inputs, options.bookmarks, reporter);
    try {
        for (std::size_t i = 0; i < options.inputs.size(); ++i) {
            OpenedInput opened(documents.Pdf, options.inputs[i]);
            std::vector<int> pages(static_cast<std::size_t>(documents.Pdf.PageCount()));
            std::iota(pages.begin(), pages.end(), 1);
            provenance.addPages(i, appendPages(output, documents.Pdf, pages), documents.Pdf.PageCount());
            pageTotal += static_cast<int>(pages.size());
        }
        writeOutput(output, options.outputPath, finisher, provenance);
    } catch (...) {
        closeQuietly(output);
        throw;
    }
    if (!options.silent)
        reporter.showMessage(reporter.translation("MsgMergeDone") + " (total pages: " + std::to_string(pageTotal) + ")");
    return true;
}
