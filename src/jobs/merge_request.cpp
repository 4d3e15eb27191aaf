#include "jobs/merge_request.h"

#include "jobs/page_selection.h"
#include "jobs/request_error.h"

std::string MergeRequest::pageSelection(std::size_t input) const {
    return input < pageSelections.size() ? pageSelections[input] : "";
}

void MergeRequest::check() const {
    if (outputPath.empty()) throw RequestError(RequestField::OutputPath, outputPath, "No output file given");
    for (std::size_t i = 0; i < inputs.size(); ++i) checkPageSelection(pageSelection(i), inputs[i].path());
}
