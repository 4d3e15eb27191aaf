#include "jobs/output_provenance.h"

#include "finishing/finisher.h"
#include "jobs/job_reporter.h"

OutputProvenance::OutputProvenance(const std::vector<InputFile>& inputs, BookmarkMode bookmarks,
                                   JobReporter& reporter)
    : reporter_(reporter) {
    for (const InputFile& input : inputs) request_.inputs.push_back({input.path(), input.password});
    request_.bookmarks = bookmarks;
}

OutputProvenance::~OutputProvenance() = default;

void OutputProvenance::addPages(std::size_t input, const std::vector<int>& pages, int pagesInInput) {
    for (int page : pages) request_.pages.push_back({input, page - 1});
    request_.inputs.at(input).pageCount = pagesInInput;
}

void OutputProvenance::finish(const std::string& path, Finisher& finisher) {
    const std::vector<std::size_t> unread = finisher.finishWithStructure(path, request_, memory_);
    request_.pages.clear();
    for (std::size_t input : unread)
        if (input < request_.inputs.size() && told_.insert(input).second)
            reporter_.showMessage(reporter_.translation("MsgStructureLost") + " " + request_.inputs[input].path);
}
