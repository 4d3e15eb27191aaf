#include <gtest/gtest.h>

#include "jobs/split_plan.h"
#include "base/whole_number.h"

namespace {

// "F:pages" per output document, "F:-" for one closed without a file.
std::string planText(const std::vector<PlannedFile>& files) {
    std::string text;
    for (const PlannedFile& file : files) {
        if (!text.empty()) text += ' ';
        text += std::to_string(file.number) + ':';
        if (!file.written()) text += '-';
        for (std::size_t i = 0; i < file.pages.size(); ++i) text += (i ? "," : "") + std::to_string(file.pages[i]);
    }
    return text;
}

TEST(SplitPlan, GroupMethods) {
    using M = SplitMethod;
    const int big = 2147483647;
    struct Case {
        M method;
        int size, start, pageCount;
        std::string plan;
    } cases[] = {
        {M::IntoFilesOf, 1, 1, 10, "1:1 2:2 3:3 4:4 5:5 6:6 7:7 8:8 9:9 10:10"},
        {M::IntoFilesOf, 4, 1, 10, "1:1,2,3,4 2:5,6,7,8 3:9,10"},
        {M::EveryGroupOf, 3, 2, 10, "1:2,3,4 2:5,6,7 3:8,9,10"},
        {M::Each, 3, 1, 10, "1:3 2:6 3:9 4:-"},  // page 10 is an incomplete step
        {M::IntoFilesOf, 4, 7, 10, "1:1,2,3,4 2:5,6,7,8 3:9,10"},  // method 1 always starts at page 1
        // group size 0 (or below) never fills
        {M::IntoFilesOf, 0, 1, 5, "1:1,2,3,4,5"},
        {M::EveryGroupOf, 0, 3, 5, "1:3,4,5"},
        {M::Each, 0, 1, 5, "1:-"},
        {M::IntoFilesOf, -2, 1, 3, "1:1,2,3"},
        {M::IntoFilesOf, 7, 1, 5, "1:1,2,3,4,5"},
        {M::IntoFilesOf, big, 1, 3, "1:1,2,3"},
        // page 0 is counted but never taken
        {M::EveryGroupOf, 3, 0, 7, "1:1,2 2:3,4,5 3:6,7"},
        {M::EveryGroupOf, 1, 0, 3, "1:- 2:1 3:2 4:3"},
        {M::Each, 2, 0, 5, "1:1 2:3 3:5"},
        {M::Each, 1, 0, 3, "1:- 2:1 3:2 4:3"},
        {M::EveryGroupOf, 2, 0, 0, "1:-"},
        {M::EveryGroupOf, 2, -3, 3, "2:- 3:1,2 4:3"},  // groups wholly before page 0 only use up numbers
        // nothing to count
        {M::EveryGroupOf, 3, 6, 5, ""},
        {M::Each, 3, 6, 5, ""},
        {M::IntoFilesOf, 1, 1, 0, ""},
        {M::Each, big, big, big, "1:-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(planText(planGroupSplit(c.method, c.size, c.start, c.pageCount)), c.plan)
            << "method " << static_cast<int>(c.method) << " N=" << c.size << " S=" << c.start << " P=" << c.pageCount;
}

TEST(SplitPlan, CountedPagesCoverTheGroupsForProgress) {
    const auto files = planGroupSplit(SplitMethod::Each, 3, 0, 7);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].firstCounted, 0);
    EXPECT_EQ(files[0].lastCounted, 2);
    EXPECT_EQ(files[2].firstCounted, 6);
    EXPECT_EQ(files[2].lastCounted, 7);
}

TEST(SplitPlan, EntriesAreReadInTurnAndKeptWithinThePageCount) {
    std::vector<std::size_t> turns;
    const auto pages = pagesOfEntries({"+5", "05", " 3", "0", "23", "$A", "22"}, 22,
                                      [&](std::size_t i) { turns.push_back(i); });
    EXPECT_EQ(pages, (std::vector<int>{5, 5, 3, 10, 22}));
    EXPECT_EQ(turns, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6}));

    turns.clear();
    try {
        pagesOfEntries({"1", "3 ", "4"}, 22, [&](std::size_t i) { turns.push_back(i); });
        FAIL();
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'3 ' is not a valid integer value for Integer type");
    }
    EXPECT_EQ(turns, (std::vector<std::size_t>{0, 1}));
}

}  // namespace
