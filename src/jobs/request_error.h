#pragma once
#include <stdexcept>
#include <string>

// The fields of a job request that check() may refuse.
enum class RequestField {
    FilesOfSize,      // split into files of N pages
    EveryGroupSize,   // split every group of N pages ...
    EveryGroupStart,  // ... from page S
    EachStep,         // split each N-th page ...
    EachStart,        // ... from page S
    FirstCount,       // mix: the first document's count and start page
    FirstStart,
    SecondCount,      // mix: the second document's count and start page
    SecondStart,
    OutputPath,       // merge: the output file
    BookmarkLevel,    // split by bookmarks of a level
    SizeLimit,        // split into files of at most N bytes
};

// A request that cannot run as it is, raised before any file is written. The
// message is the window's wording; other front ends word the field their own
// way from field() and text().
class RequestError : public std::runtime_error {
public:
    RequestError(RequestField field, std::string text, const std::string& message)
        : std::runtime_error(message), field_(field), text_(std::move(text)) {}

    RequestField field() const { return field_; }
    // What the field holds, as given.
    const std::string& text() const { return text_; }

private:
    RequestField field_;
    std::string text_;
};

// A count or page number of a request: a whole number of 0 or more. Raises
// RequestError naming the field for anything else.
int readCount(const std::string& text, RequestField field);
