#pragma once
#include <string>

#include "base/protection.h"
#include "structure/structure_request.h"
#include "jobs/input_file.h"
#include "jobs/mix_plan.h"

// One document's method of a mix, as the user typed its numbers; only those
// of the chosen method are read.
struct MixMethodFields {
    MixMethod method = MixMethod::EveryGroupOf;
    std::string groupCount = "3", groupStart = "1";
    std::string eachCount = "3", eachStart = "1";
};

// Everything a mix needs.
struct MixRequest {
    InputFile first, second;
    MixMethodFields firstMethod, secondMethod;
    bool reverseSecond = false;  // take the second document from its last page towards its first
    bool singleFile = false;     // every turn into one file, base name + "mixed.pdf"
    std::string baseName = "filename";
    std::string destinationFolder;  // used as it is as the start of every output path
    Protection protection;
    BookmarkMode bookmarks = BookmarkMode::Keep;

    // Raises RequestError when a number of either chosen method is not a
    // whole number of 0 or more.
    void check() const;

    // The cuts the chosen methods describe.
    MixCut firstCut() const;
    MixCut secondCut() const;
    // The plan of a mix over documents of these page counts.
    MixPlanInput planInput(int pagesFirst, int pagesSecond) const;
};

// The one output of a mix into a single file: folder + base name + "mixed.pdf".
std::string singleMixOutputName(const MixRequest& request);
