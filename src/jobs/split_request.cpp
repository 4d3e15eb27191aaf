#include "jobs/split_request.h"

#include "jobs/output_naming.h"
#include "jobs/request_error.h"

void SplitRequest::check() const {
    if (method != SplitMethod::ByPageRange) groups();
}

SplitRequest::Groups SplitRequest::groups() const {
    switch (method) {
    case SplitMethod::EveryGroupOf: {
        const int size = readCount(everyGroupSize, RequestField::EveryGroupSize);
        return {size, readCount(everyGroupStart, RequestField::EveryGroupStart)};
    }
    case SplitMethod::Each: {
        const int step = readCount(eachStep, RequestField::EachStep);
        return {step, readCount(eachStart, RequestField::EachStart)};
    }
    default:
        return {readCount(filesOfSize, RequestField::FilesOfSize), 1};
    }
}

SplitRequest splitRequestFor(const InputFile& input) {
    SplitRequest request;
    request.input = input;
    const OutputPlace place = defaultOutputPlace(input);
    request.baseName = place.baseName;
    request.destinationFolder = place.folder;
    return request;
}
