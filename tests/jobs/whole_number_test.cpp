#include <gtest/gtest.h>

#include "jobs/output_naming.h"
#include "jobs/whole_number.h"

namespace {

TEST(WholeNumber, ReadsDecimalAndHexadecimalTexts) {
    const std::pair<std::string, int> good[] = {
        {"5", 5}, {"+5", 5}, {"05", 5}, {"   7", 7}, {"-12", -12}, {"$1F", 31}, {"x10", 16}, {"X10", 16},
        {"0x1f", 31}, {"0X1F", 31}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : good) EXPECT_EQ(readWholeNumber(text), value) << text;

    const char* bad[] = {"", " ", "3 ", "a", "2 4", "1.5", "+", "$", "0x", "2147483648", "'2", "1e3", "\t3"};
    for (const char* text : bad) EXPECT_FALSE(parseWholeNumber(text)) << text;
}

TEST(WholeNumber, FailureTextsNameTheText) {
    try {
        readWholeNumber("2 ");
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'2 ' is not a valid integer value");
    }
    try {
        readIntegerEntry("x");
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value for Integer type");
    }
}

TEST(OutputNaming, PadsToTheDigitsOfThePageCount) {
    EXPECT_EQ(numberedOutputName("/o/", "doc_", 7, 120), "/o/doc_007.pdf");
    EXPECT_EQ(numberedOutputName("/o/", "doc_", 12, 9), "/o/doc_12.pdf");
    EXPECT_EQ(numberedOutputName("/o/", "", 1, 10), "/o/01.pdf");
    EXPECT_EQ(numberedOutputName("", "x", 3, 0), "x3.pdf");
    EXPECT_EQ(digitCount(0), 1);
    EXPECT_EQ(digitCount(2147483647), 10);
}

TEST(OutputNaming, BaseNameDropsEveryPdfInAnyCase) {
    EXPECT_EQ(baseNameFor("Report.PDF"), "Report_");
    EXPECT_EQ(baseNameFor("Report.pdf.PDF"), "Report_");
    EXPECT_EQ(baseNameFor("my.pdfs.pdf"), "mys_");
    EXPECT_EQ(baseNameFor("notes"), "notes_");
}

TEST(OutputNaming, ProgressRoundsHalvesToEven) {
    EXPECT_EQ(progressPercent(1, 8), 12);   // 12.5
    EXPECT_EQ(progressPercent(3, 8), 38);   // 37.5
    EXPECT_EQ(progressPercent(1, 3), 33);
    EXPECT_EQ(progressPercent(2, 3), 67);
    EXPECT_EQ(progressPercent(10, 10), 100);
    EXPECT_EQ(progressPercent(0, 0), 0);
}

}  // namespace
