#include <gtest/gtest.h>

#include "jobs/planned_outputs.h"
#include "jobs/request_error.h"

namespace {

SplitRequest split(SplitMethod method) {
    SplitRequest request;
    request.method = method;
    request.baseName = "r_";
    request.destinationFolder = "/out/";
    return request;
}

using Names = std::vector<std::string>;

TEST(PlannedOutputs, SplitNamesTheFilesTheJobWrites) {
    struct Case {
        const char* name;
        SplitRequest request;
        int pageCount;
        Names expected;
    };
    SplitRequest pairs = split(SplitMethod::IntoFilesOf);
    pairs.filesOfSize = "2";
    SplitRequest groupsFromThree = split(SplitMethod::EveryGroupOf);
    groupsFromThree.everyGroupSize = "2";
    groupsFromThree.everyGroupStart = "3";
    SplitRequest eachThird = split(SplitMethod::Each);  // 3 from page 1: pages 3 and 6 of 7
    SplitRequest ranges = split(SplitMethod::ByPageRange);
    ranges.rangeList = "1-2;40;3;5";  // the group beyond the end writes no file but takes its number
    SplitRequest bySize = split(SplitMethod::BySize);  // every name it may use: a file per page at most
    const std::vector<Case> cases = {
        {"files of 2 pages", pairs, 5, {"/out/r_1.pdf", "/out/r_2.pdf", "/out/r_3.pdf"}},
        {"groups from page 3, padded", groupsFromThree, 12,
         {"/out/r_01.pdf", "/out/r_02.pdf", "/out/r_03.pdf", "/out/r_04.pdf", "/out/r_05.pdf"}},
        {"each third page", eachThird, 7, {"/out/r_1.pdf", "/out/r_2.pdf"}},
        {"range groups", ranges, 9, {"/out/r_1.pdf", "/out/r_3.pdf", "/out/r_4.pdf"}},
        {"files of at most a size", bySize, 3, {"/out/r_1.pdf", "/out/r_2.pdf", "/out/r_3.pdf"}},
    };
    for (const Case& c : cases) EXPECT_EQ(plannedOutputs(c.request, c.pageCount), c.expected) << c.name;

    SplitRequest unreadable = split(SplitMethod::EveryGroupOf);
    unreadable.everyGroupSize = "two";
    EXPECT_THROW(plannedOutputs(unreadable, 4), RequestError);
    EXPECT_TRUE(outputCountKnown(pairs));
    EXPECT_FALSE(outputCountKnown(bySize));
}

TEST(PlannedOutputs, MixNamesEveryTurnWithPagesOrTheOneMixedFile) {
    MixRequest request;
    request.baseName = "m_";
    request.destinationFolder = "/out/";
    request.firstMethod.groupCount = "1";
    request.secondMethod.groupCount = "1";
    EXPECT_EQ(plannedOutputs(request, 3, 1), (Names{"/out/m_1.pdf", "/out/m_2.pdf", "/out/m_3.pdf"}));
    // The first turn takes page 0 of the first and page 5 of the second: no page, no file.
    request.firstMethod.groupStart = "0";
    request.secondMethod.groupStart = "5";
    EXPECT_EQ(plannedOutputs(request, 2, 1), (Names{"/out/m_2.pdf", "/out/m_3.pdf"}));
    request.singleFile = true;
    EXPECT_EQ(plannedOutputs(request, 2, 1), Names{"/out/m_mixed.pdf"});
}

}  // namespace
