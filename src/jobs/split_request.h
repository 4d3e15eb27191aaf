#pragma once
#include <string>

#include "base/protection.h"
#include "jobs/input_file.h"
#include "jobs/split_plan.h"

// Everything a split needs. The numbers are texts, as the user typed them;
// only those of the chosen method are read.
struct SplitRequest {
    InputFile input;
    SplitMethod method = SplitMethod::IntoFilesOf;
    std::string filesOfSize = "1";      // into files of N pages
    std::string everyGroupSize = "3";   // every group of N pages ...
    std::string everyGroupStart = "1";  // ... starting with page S
    std::string eachStep = "3";         // each N-th page ...
    std::string eachStart = "1";        // ... starting with page S
    // One output file per ";"-separated group. Read while the job runs: a
    // group's problems show after the files of the groups before it.
    std::string rangeList;
    std::string bookmarkLevel = "1";  // cut at the bookmarks of this level, 1 at the top
    bool titleNames = false;          // name those files after their bookmarks
    // The most bytes a file may have: a whole number with an optional "K"
    // (1,024 bytes) or "M" (1,048,576 bytes).
    std::string sizeLimit = "10M";
    std::string baseName = "filename";
    std::string destinationFolder;  // with its trailing separator
    Protection protection;

    // Raises RequestError when a number of the chosen group method is not a
    // whole number of 0 or more, when the bookmark level is not 1 or more and
    // when the size limit is no size of 1 byte or more.
    void check() const;

    int level() const;
    long long sizeLimitBytes() const;

    // The group size (or step) and the start page of the chosen group
    // method; the start is always page 1 for files of N pages.
    struct Groups {
        int size = 0;
        int start = 1;
    };
    Groups groups() const;
};

// A split of input into one-page files beside it, named after it.
SplitRequest splitRequestFor(const InputFile& input);
