#include <gtest/gtest.h>

#include "jobs/range_list.h"
#include "base/whole_number.h"
#include "support/recording_reporter.h"

namespace {

using Texts = std::vector<std::string>;

TEST(RangeList, CuttingDropsEmptyPiecesKeepsBlanksAndQuotedStretches) {
    const std::pair<std::string, Texts> cases[] = {
        {"", {}},
        {";;", {}},
        {"1-4,6;5,6;12;", {"1-4,6", "5,6", "12"}},
        {";3;;5;", {"3", "5"}},
        {" ; ", {" ", " "}},
        {"1;'2;3'", {"1", "'2;3'"}},
        {"\"a;b\";c", {"\"a;b\"", "c"}},
        {"'a\";b';c", {"'a\";b'", "c"}},         // the other quote does not close the stretch
        {"a'b;c'd;e", {"a'b;c'd", "e"}},          // a quote inside a piece opens a stretch too
        {"'runs;to the end", {"'runs;to the end"}},
    };
    for (const auto& [text, pieces] : cases) {
        EXPECT_EQ(getRangeGroups(text), pieces) << text;
        std::string commas = text;
        for (char& c : commas) c = c == ';' ? ',' : c == ',' ? ';' : c;
        Texts swapped;
        for (std::string piece : pieces) {
            for (char& c : piece) c = c == ';' ? ',' : c == ',' ? ';' : c;
            swapped.push_back(piece);
        }
        EXPECT_EQ(cutPieces(commas, ','), swapped) << "the same rule at the ',' level: " << commas;
    }
}

TEST(RangeList, ExpandsRangesAndKeepsSingleEntriesAsTyped) {
    const std::string skipped = "The following page range is invalid and was skipped: ";
    struct Case {
        std::string group;
        Texts entries, messages;
    } cases[] = {
        {"1-4,6,9-10", {"1", "2", "3", "4", "6", "9", "10"}, {}},
        {"9,1,9", {"9", "1", "9"}, {}},
        {"+5,05, 3,x", {"+5", "05", " 3", "x"}, {}},
        {"3-3", {"3"}, {}},
        {"1-3-5", {"1", "2", "3"}, {}},
        {"2- 4", {"2", "3", "4"}, {}},
        {"+2-04", {"2", "3", "4"}, {}},
        {"$A-0x0C", {"10", "11", "12"}, {}},
        {"0-2", {"0", "1", "2"}, {}},
        {",,", {}, {}},
        {"4-2", {}, {skipped + "4-2"}},
        {"4-2,7,9- 8", {"7"}, {skipped + "4-2", skipped + "9- 8"}},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        EXPECT_EQ(expandRangeGroup(c.group, reporter), c.entries) << c.group;
        EXPECT_EQ(reporter.messages, c.messages) << c.group;
    }
}

TEST(RangeList, BadRangesFailNamingTheBoundOrTheMissingEnd) {
    struct Case {
        std::string group, failure;
        bool listError;
    } cases[] = {
        {"2 -4", "'2 ' is not a valid integer value", false},
        {"a-3", "'a' is not a valid integer value", false},
        {"3-b", "'b' is not a valid integer value", false},
        {"'1-3'", "''1-3'' is not a valid integer value", false},  // the quoted hyphen does not cut
        {"5-", "List index out of bounds (1)", true},
        {"-5", "List index out of bounds (1)", true},
        {"-", "List index out of bounds (0)", true},
        {"---", "List index out of bounds (0)", true},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        try {
            expandRangeGroup("1,4-2," + c.group + ",7", reporter);
            ADD_FAILURE() << "no failure for " << c.group;
        } catch (const ListError& error) {
            EXPECT_TRUE(c.listError) << c.group;
            EXPECT_EQ(error.what(), c.failure);
        } catch (const ConvertError& error) {
            EXPECT_FALSE(c.listError) << c.group;
            EXPECT_EQ(error.what(), c.failure);
        }
        EXPECT_EQ(reporter.messages.size(), 1u) << "the message of the range before the failure is shown";
    }
}

TEST(RangeList, PageLimitKeepsHugeRangesSmallWithoutChangingThePagesTaken) {
    RecordingReporter reporter;
    EXPECT_EQ(expandRangeGroup("20-30", reporter, 22), (Texts{"20", "21", "22"}));
    EXPECT_EQ(expandRangeGroup("1-2147483647", reporter, 3), (Texts{"1", "2", "3"}));
    EXPECT_EQ(expandRangeGroup("$FFFFFFFF-1", reporter, 3), (Texts{"0", "1"}));  // -1 to 1
    EXPECT_EQ(expandRangeGroup("30-40,31", reporter, 22), (Texts{"31"}));  // single entries are not touched
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
