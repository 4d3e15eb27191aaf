#pragma once
#include <string>
#include <vector>

#include "jobs/input_file.h"
#include "jobs/pdf_documents.h"
#include "jobs/structure_request.h"

class Finisher;
class Reporter;

struct MergeOptions {
    std::vector<InputFile> inputs;  // rows 1 to the file count, in merge order
    std::string outputPath;         // used unchanged
    bool silent = false;            // no completion message
    BookmarkMode bookmarks = BookmarkMode::Keep;
};

// Joins every input, page by page in list order, into one output file and
// finishes it. Returns false when fewer than two files are listed.
bool mergeWithPdfium(const MergeOptions& options, PdfDocuments& documents, Finisher& finisher, Reporter& reporter);
