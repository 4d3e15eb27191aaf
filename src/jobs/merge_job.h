#pragma once
#include <string>
#include <vector>

#include "jobs/input_file.h"

class Finisher;
class Reporter;

struct MergeOptions {
    std::vector<InputFile> inputs;  // rows 1 to the file count, in merge order
    std::string outputPath;         // used unchanged
    bool silent = false;            // no completion message
};

// Joins every input, page by page in list order, into one output file and
// finishes it. Returns false when fewer than two files are listed.
bool mergeWithPdfium(const MergeOptions& options, Finisher& finisher, Reporter& reporter);
