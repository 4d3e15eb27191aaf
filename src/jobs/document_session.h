#pragma once
#include <string>
#include <vector>

#include "engine/pdf_document.h"
#include "jobs/input_file.h"

class JobReporter;


// Opens an input of a job with its password, or takes the document handed
// over with it.
// A repaired input is reported.
PdfDocument openInput(const InputFile& input, JobReporter& reporter);

// Raises, naming the input, when the document has no page to take.
void refuseWithoutPages(const PdfDocument& document, const InputFile& input);

// Imports the given 1-based pages of source, in their order and with their
// repeats, at the end of output in one PDFium call, so that objects the pages
// share are copied once. Pages the source does not have (0, beyond its end)
// are left out, as the engine refuses them one by one. Returns the pages
// copied, in output order (for JobOutputs::addPages).
std::vector<int> appendPages(PdfDocument& output, const PdfDocument& source, const std::vector<int>& pages);

// Refuses to write an output over one of the job's inputs: the input would be
// lost while the job may still need it.
void refuseInputAsOutput(const std::string& path, const std::vector<InputFile>& inputs);

