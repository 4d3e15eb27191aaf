#pragma once
#include <string>
#include <vector>

#include "engine/tpdf.h"
#include "jobs/input_file.h"

// Opens an input on a document object for the length of a job and leaves the
// object inactive with an empty password afterwards, also when the job fails,
// so that the next job or probe finds it ready.
class OpenedInput {
public:
    OpenedInput(TPdf& pdf, const InputFile& input);
    ~OpenedInput();
    OpenedInput(const OpenedInput&) = delete;
    OpenedInput& operator=(const OpenedInput&) = delete;

private:
    TPdf& pdf_;
};

// Closes a document object without letting a failure escape; for clean-up.
void closeQuietly(TPdf& pdf);

// Imports the given 1-based pages of source, in their order and with their
// repeats, at the end of output in one PDFium call, so that objects the pages
// share are copied once. Pages the source does not have (0, beyond its end)
// are left out, as the engine refuses them one by one. Returns the pages
// copied, in output order (for OutputProvenance).
std::vector<int> appendPages(TPdf& output, TPdf& source, const std::vector<int>& pages);

// Refuses to write an output over one of the job's inputs: the input would be
// lost while the job may still need it.
void refuseInputAsOutput(const std::string& path, const std::vector<InputFile>& inputs);

// Saves the output under path, closes it and hands the file to finishing.
class Finisher;
void writeOutput(TPdf& output, const std::string& path, Finisher& finisher);
// The same, with the provenance of the output's pages, so that finishing
// carries the inputs' document structure.
class OutputProvenance;
void writeOutput(TPdf& output, const std::string& path, Finisher& finisher, OutputProvenance& provenance);
