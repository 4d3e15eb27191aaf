#pragma once
#include <string>
#include <vector>

#include "engine/pdf_document.h"
#include "jobs/input_file.h"

class JobReporter;


// Opens an input of a job with its password, or takes the document handed
// over with it. A repaired input is reported. With pictureStubs (for a
// finisher that restores pictures), a large input is read with its large
// pictures left out and absurd annotation lists shortened
// (structure/import_rewrite.h), so that copying its pages holds neither.
PdfDocument openInput(const InputFile& input, JobReporter& reporter, bool pictureStubs = false);

// Raises, naming the input, when the document has no page to take.
void refuseWithoutPages(const PdfDocument& document, const InputFile& input);

// Imports the given 1-based pages of source, in their order and with their
// repeats, at the end of output in one PDFium call, so that objects the pages
// share are copied once. Pages the source does not have (0, beyond its end)
// are left out, as the engine refuses them one by one. Returns the pages
// copied, in output order (for JobOutputs::addPages).
std::vector<int> appendPages(PdfDocument& output, const PdfDocument& source, const std::vector<int>& pages);

// Pages of one source, for appendRuns.
struct PageRun {
    const PdfDocument* source;
    std::vector<int> pages;  // 1-based, as for appendPages
};

// Imports the runs at the end of output in the order given, the pages of each
// source in one PDFium call and then put in place, so that an object the
// pages of one source share is copied once however the runs of the sources
// alternate (a mix into one file). Returns the pages copied of each run, as
// appendPages does.
std::vector<std::vector<int>> appendRuns(PdfDocument& output, const std::vector<PageRun>& runs);

// Refuses to write an output over one of the job's inputs: the input would be
// lost while the job may still need it.
void refuseInputAsOutput(const std::string& path, const std::vector<InputFile>& inputs);

