#pragma once
#include <set>
#include <string>
#include <vector>

#include "structure/structure_request.h"
#include "jobs/input_file.h"

class JobReporter;
class PdfDocument;

// Where the pages of the output being built come from, so that finishing
// can carry the inputs' bookmarks, links, forms and the like; one per job.
class OutputProvenance {
public:
    OutputProvenance(const std::vector<InputFile>& inputs, BookmarkMode bookmarks);

    // Records pages copied from the job's input (1-based, in output order,
    // as appendPages returns them) and the input's page count.
    void addPages(std::size_t input, const std::vector<int>& pages, int pagesInInput);
    // Records the input's document as the job opened it, so that finishing
    // reads its structure from the libqpdf parse opening made, if any, and
    // starts reading that structure on a second core (see SourceReadAhead).
    void inputOpened(std::size_t input, const PdfDocument& document);
    // Records a page the job added itself, from no input.
    void addBlankPage();

    // The provenance of the output built so far; the next one starts empty.
    StructureRequest takeOutput();

    // Names each input whose structure could not be carried, and says what
    // was left out of an input's structure, each once per job.
    void tellNotCarried(const std::vector<std::size_t>& inputs, const std::vector<StructureNote>& notes,
                        JobReporter& reporter);

private:
    StructureRequest request_;
    // What was told; a file given twice is named once.
    std::set<std::string> told_, toldNotes_;
};
