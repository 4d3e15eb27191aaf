#include "jobs/split_request.h"

#include "jobs/output_naming.h"
#include "jobs/request_error.h"
#include "base/whole_number.h"

void SplitRequest::check() const {
    if (method == SplitMethod::ByBookmarks)
        level();
    else if (method == SplitMethod::BySize)
        sizeLimitBytes();
    else if (method != SplitMethod::ByPageRange)
        groups();
}

int SplitRequest::level() const {
    const int value = readCount(bookmarkLevel, RequestField::BookmarkLevel);
    if (value < 1)
        throw RequestError(RequestField::BookmarkLevel, bookmarkLevel,
                           "'" + bookmarkLevel + "' is no bookmark level: the top level is 1");
    return value;
}

long long SplitRequest::sizeLimitBytes() const {
    std::string digits = sizeLimit;
    long long unit = 1;
    if (!digits.empty() && (digits.back() == 'K' || digits.back() == 'k')) unit = 1024;
    if (!digits.empty() && (digits.back() == 'M' || digits.back() == 'm')) unit = 1024 * 1024;
    if (unit > 1) digits.pop_back();
    const std::optional<int> value = parseWholeNumber(digits);
    if (!value || *value < 1)
        throw RequestError(RequestField::SizeLimit, sizeLimit,
                           "'" + sizeLimit + "' is no file size: give a number of bytes, K or M of 1 or more");
    return *value * unit;
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
