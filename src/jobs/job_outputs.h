#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/background_work.h"
#include "engine/pdf_document.h"
#include "finishing/finisher.h"
#include "finishing/output_landing.h"
#include "jobs/job_reporter.h"
#include "jobs/output_provenance.h"

// An output saved and finished in memory, not yet written: a job that weighs
// its outputs makes them so.
struct FinishedOutput {
    WrittenOutput written;  // where it goes, its pages and protection
    std::string bytes;      // the file as it is to be written; empty when it has no page
    std::vector<std::size_t> notCarried;  // inputs whose structure could not be carried into it
    std::vector<StructureNote> notes;     // what it left out of its inputs' structure
};

// Where a job's outputs go: each new document is saved by PDFium (into memory,
// or a temporary file beside its target once large; see SavedPdf), finished
// from there (with the document structure of the inputs its pages
// come from) and landed at its target in one write; the reporter hears of
// each output once it is at its target.
//
// Finishing an output touches only libqpdf, making the next one only PDFium:
// an output written with write(document, path) is finished into its staged
// file on the second core (BackgroundWork) while the job makes the next, one
// output ahead. What the finishing of an output raises comes out
// of the next call that writes, of land() or of a message shown through
// reporter(), and its notes are told then, before anything of the outputs
// after it.
class JobOutputs {
public:
    // inputs: the job's inputs, for the pages recorded with addPages.
    JobOutputs(Finisher& finisher, JobReporter& reporter, const std::vector<InputFile>& inputs = {},
               BookmarkMode bookmarks = BookmarkMode::Keep);
    // An output still being finished (the job failed or stopped) is staged
    // and lands with the others.
    ~JobOutputs();
    JobOutputs(const JobOutputs&) = delete;
    JobOutputs& operator=(const JobOutputs&) = delete;

    // Records the pages appendPages copied from the job's input into the
    // output being built, and the input's page count.
    void addPages(std::size_t input, const std::vector<int>& pages, int pagesInInput) {
        provenance_.addPages(input, pages, pagesInInput);
    }
    void addBlankPage() { provenance_.addBlankPage(); }
    // Opens the job's input at index (see openInput in document_session.h),
    // read without large pictures where the finisher puts them back, and
    // records the document, whose libqpdf parse (if opening made one)
    // finishing then reads instead of the file.
    PdfDocument openInput(std::size_t index, const InputFile& input, JobReporter& reporter);

    // The job's reporter, through which a message shown while the job runs
    // finds every output written before it at its target.
    JobReporter& reporter();

    // Saves, finishes and stages the document for path, and closes it. A
    // document without pages is no valid PDF file: nothing is written for it,
    // and land() says so.
    void write(PdfDocument&& document, const std::string& path);
    // Saves and finishes the document for path in memory, and closes it; the
    // pages recorded since the last output go with it.
    FinishedOutput finish(PdfDocument&& document, const std::string& path);
    // Stages an output finished in memory; one without pages is not written,
    // as with write.
    void write(FinishedOutput&& output);
    // Lands every output still staged and names, in one message, the files
    // not written for want of pages; the job's last step. Raises when the
    // job wrote no file at all. Outputs staged before a failure land when the
    // object goes.
    void land();

private:
    class LandingFirst;
    // An output handed to the finishing thread, and what it leaves behind.
    struct InFinishing {
        NewOutput saved;
        OutputLanding::Staging staging;  // made by the job's thread, written by finishing
        std::vector<std::size_t> notCarried;
        std::vector<StructureNote> notes;
        // Each input's way to PDFium's own copy of it, which only the job's
        // thread may take: finishing that needs one is done again there.
        std::vector<std::function<std::string()>> repairedCopies;
        bool pdfiumNeeded = false;
    };

    // The document saved by PDFium for path, without pages when it has
    // none, and closed; the pages recorded since the last output go with it.
    NewOutput save(PdfDocument&& document, const std::string& path);
    // Waits for the output in finishing, if any, stages it and tells its
    // notes; raises what its finishing raised.
    void takeFinished();
    // Finishes the output (on either thread) into its staged file.
    void finishOutput(InFinishing& finishing);
    // The output's place in the batch and its notes told.
    void staged(OutputLanding::Staging&& staging, const std::vector<std::size_t>& notCarried,
                const std::vector<StructureNote>& notes);

    Finisher& finisher_;
    OutputLanding landing_;
    std::unique_ptr<JobReporter> reporter_;
    OutputProvenance provenance_;
    int written_ = 0;
    std::vector<std::string> leftOut_;  // paths of outputs that had no page
    std::unique_ptr<InFinishing> inFinishing_;
    std::unique_ptr<BackgroundWork> finishing_;  // last: it ends before what its work reads
};
