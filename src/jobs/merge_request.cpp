#include "jobs/merge_request.h"

#include "jobs/request_error.h"

void MergeRequest::check() const {
    if (outputPath.empty()) throw RequestError(RequestField::OutputPath, outputPath, "No output file given");
}
