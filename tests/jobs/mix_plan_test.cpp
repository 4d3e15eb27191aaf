#include <gtest/gtest.h>

#include <climits>

#include "jobs/mix_plan.h"
#include "jobs/output_naming.h"
#include "support/fixtures.h"

namespace {

MixCut group(int count, int start) { return {MixMethod::EveryGroupOf, count, start}; }
MixCut each(int count, int start) { return {MixMethod::Each, count, start}; }

struct Case {
    int pagesFirst;
    MixCut first;
    int pagesSecond;
    MixCut second;
    std::string files;  // "doc_1.pdf: A1 A2 B1; doc_2.pdf: A3 B2"
};

std::string join(const std::string& prefix, const std::vector<int>& pages) {
    std::string text;
    for (int page : pages) text += " " + prefix + std::to_string(page);
    return text;
}

// The files the turns make, named and listed as a reader writes them down;
// a turn without pages makes no file.
std::string describe(const std::vector<MixTurn>& turns, int pagesFirst) {
    std::string text;
    for (const MixTurn& turn : turns) {
        if (turn.empty()) continue;
        if (!text.empty()) text += "; ";
        text += numberedOutputName("", "doc_", turn.number, pagesFirst) + ":" + join("A", turn.pagesFirst) +
                join("B", turn.pagesSecond);
    }
    return text;
}

void expectPlans(const std::vector<Case>& cases, bool reverseSecond = false) {
    for (const Case& c : cases) {
        MixPlanInput input{c.first, c.second, c.pagesFirst, c.pagesSecond, reverseSecond};
        EXPECT_EQ(describe(planMix(input), c.pagesFirst), c.files)
            << "first " << c.pagesFirst << " pages, second " << c.pagesSecond << " pages";
    }
}

TEST(MixPlan, WorkedExamples) {
    expectPlans({
        {7, group(3, 1), 4, each(1, 1), "doc_1.pdf: A1 A2 A3 B1; doc_2.pdf: A4 A5 A6 B2; doc_3.pdf: A7 B3"},
        {10, group(3, 1), 10, group(3, 1),
         "doc_01.pdf: A1 A2 A3 B1 B2 B3; doc_02.pdf: A4 A5 A6 B4 B5 B6; doc_03.pdf: A7 A8 A9 B7 B8 B9; "
         "doc_04.pdf: A10 B10"},
        {9, group(2, 1), 3, group(2, 1),
         "doc_1.pdf: A1 A2 B1 B2; doc_2.pdf: A3 A4 B3; doc_3.pdf: A5 A6 B1 B2; doc_4.pdf: A7 A8 B3; "
         "doc_5.pdf: A9 B1 B2"},
        {6, each(2, 1), 5, each(2, 2), "doc_1.pdf: A2 B3; doc_2.pdf: A4 B5; doc_3.pdf: A6 B2"},
        {12, group(4, 3), 2, group(1, 1),
         "doc_01.pdf: A3 A4 A5 A6 B1; doc_02.pdf: A7 A8 A9 A10 B2; doc_03.pdf: A11 A12 B1"},
        {7, each(3, 1), 3, group(1, 1), "doc_1.pdf: A3 B1; doc_2.pdf: A6 B2; doc_3.pdf: B3"},
        {4, group(2, 1), 3, group(1, 5), "doc_1.pdf: A1 A2; doc_2.pdf: A3 A4 B1"},
    });
}

TEST(MixPlan, EdgesOfBothDocuments) {
    expectPlans({
        // Start beyond the first document: no turn at all.
        {5, group(2, 7), 3, group(1, 1), ""},
        {0, group(2, 1), 3, group(1, 1), ""},
        // Start beyond the second document: nothing in the first turn, page 1 on from the second.
        {6, group(2, 1), 4, group(2, 9), "doc_1.pdf: A1 A2; doc_2.pdf: A3 A4 B1 B2; doc_3.pdf: A5 A6 B3 B4"},
        // A second document without pages, or a second count of 0.
        {5, group(2, 1), 0, group(2, 1), "doc_1.pdf: A1 A2; doc_2.pdf: A3 A4; doc_3.pdf: A5"},
        {4, group(2, 1), 3, group(0, 1), "doc_1.pdf: A1 A2; doc_2.pdf: A3 A4"},
        {4, group(2, 1), 3, each(0, 1), "doc_1.pdf: A1 A2; doc_2.pdf: A3 A4"},
        // A first count of 0 never closes a turn by position.
        {5, group(0, 2), 3, group(3, 1), "doc_1.pdf: A2 A3 A4 A5 B1 B2 B3"},
        {4, each(0, 1), 3, group(2, 1), "doc_1.pdf: B1 B2"},
        // "Each" of the second document consumes its pages even when fewer than its count are left.
        {6, group(1, 1), 3, each(2, 1),
         "doc_1.pdf: A1 B2; doc_2.pdf: A2; doc_3.pdf: A3 B2; doc_4.pdf: A4; doc_5.pdf: A5 B2; doc_6.pdf: A6"},
        // The last turn of "Each" ends at the last page before its position: no first-document page.
        {8, each(3, 2), 4, group(1, 1), "doc_1.pdf: A4 B1; doc_2.pdf: A7 B2; doc_3.pdf: B3"},
        // Position 0 counts toward the turn; page 0 stays for the import to refuse.
        {4, group(2, 0), 2, group(1, 0), "doc_1.pdf: A0 A1 B0; doc_2.pdf: A2 A3 B1; doc_3.pdf: A4 B2"},
        // The largest counts and starts do not overflow.
        {3, group(INT_MAX, 1), 2, group(INT_MAX, INT_MAX), "doc_1.pdf: A1 A2 A3"},
        {3, group(1, 1), 2, group(INT_MAX, 1), "doc_1.pdf: A1 B1 B2; doc_2.pdf: A2 B1 B2; doc_3.pdf: A3 B1 B2"},
        // 120 pages: three-digit numbers.
        {120, group(50, 1), 1, group(1, 1),
         "doc_001.pdf: " + fixtures::markerRun("A", 1, 50) + " B1; doc_002.pdf: " + fixtures::markerRun("A", 51, 100) +
             " B1; doc_003.pdf: " + fixtures::markerRun("A", 101, 120) + " B1"},
    });
}

TEST(MixPlan, TurnsKeepTheirNumbersAndPositions) {
    // "Each 3" over 7 pages with nothing from the second document: the third
    // turn (position 7) has no page but is still a turn of its own.
    const auto turns = planMix({each(3, 1), group(0, 1), 7, 4, false});
    ASSERT_EQ(turns.size(), 3u);
    const std::pair<int, int> spans[] = {{1, 3}, {4, 6}, {7, 7}};
    for (std::size_t i = 0; i < turns.size(); ++i) {
        EXPECT_EQ(turns[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(std::make_pair(turns[i].firstPosition, turns[i].lastPosition), spans[i]);
    }
    EXPECT_TRUE(turns[2].empty());
}

TEST(MixPlan, SecondDocumentReversed) {
    expectPlans(
        {
            {6, group(2, 1), 5, group(2, 2), "doc_1.pdf: A1 A2 B4 B3; doc_2.pdf: A3 A4 B2 B1; doc_3.pdf: A5 A6 B5 B4"},
            {6, each(2, 1), 5, each(2, 2), "doc_1.pdf: A2 B3; doc_2.pdf: A4 B1; doc_3.pdf: A6 B4"},
            // Fronts and backs of a one-sided scan, backs last sheet first.
            {3, group(1, 1), 3, group(1, 1), "doc_1.pdf: A1 B3; doc_2.pdf: A2 B2; doc_3.pdf: A3 B1"},
            // Page 0 maps beyond the end and stays refused.
            {2, group(1, 1), 2, group(1, 0), "doc_1.pdf: A1 B3; doc_2.pdf: A2 B2"},
        },
        true);
}

}  // namespace
