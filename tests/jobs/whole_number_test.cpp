#include <gtest/gtest.h>

#include "base/whole_number.h"

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

}  // namespace
