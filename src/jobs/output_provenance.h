#pragma once
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "jobs/input_file.h"
#include "finishing/structure_request.h"

class Finisher;
class JobReporter;

// Where the pages of the output being built come from, so that finishing
// can carry the inputs' bookmarks, links, forms and the like; one per job.
class OutputProvenance {
public:
    OutputProvenance(const std::vector<InputFile>& inputs, BookmarkMode bookmarks, JobReporter& reporter);
    ~OutputProvenance();
    OutputProvenance(const OutputProvenance&) = delete;
    OutputProvenance& operator=(const OutputProvenance&) = delete;

    // Records pages copied from the job's input (1-based, in output order,
    // as appendPages returns them) and the input's page count.
    void addPages(std::size_t input, const std::vector<int>& pages, int pagesInInput);

    // Finishes the saved output through finisher and starts the next one.
    // An input whose structure could not be carried is named once per job.
    void finish(const std::string& path, Finisher& finisher);

private:
    StructureRequest request_;
    std::unique_ptr<StructureMemory> memory_;
    JobReporter& reporter_;
    std::set<std::size_t> told_;
};
