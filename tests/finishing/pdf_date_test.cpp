#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "finishing/pdf_date.h"
#include "support/fixtures.h"
#include "support/scoped_environment.h"

namespace {

TEST(PdfDate, WritesTheLocalTimeAndItsOffset) {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 1;
    time.tm_mday = 29;
    time.tm_hour = 7;
    time.tm_min = 5;
    time.tm_sec = 9;
    struct Case {
        int offset;
        const char* date;
    } cases[] = {
        {0, "D:20240229070509+00'00'"},
        {120, "D:20240229070509+02'00'"},
        {345, "D:20240229070509+05'45'"},
        {-210, "D:20240229070509-03'30'"},
        {-720, "D:20240229070509-12'00'"},
    };
    for (const Case& c : cases) EXPECT_EQ(pdfDate(time, c.offset), c.date) << c.offset;
}

// The offset comes from the time zone in force, whatever it is.
TEST(PdfDate, ReadsTheOffsetOfTheTimeZone) {
    const fixtures::ScopedEnvironment clock("SOURCE_DATE_EPOCH", std::nullopt);
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    struct Case {
        const char* zone;  // POSIX form: the offset is the one to add to local time to get UTC
        const char* suffix;
    } cases[] = {{"UTC0", "+00'00'"}, {"XYZ-5:45", "+05'45'"}, {"ABC3:30", "-03'30'"}, {"DEF-14", "+14'00'"}};
    for (const Case& c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        const std::string date = currentPdfDate();
        EXPECT_TRUE(std::regex_match(date, std::regex(R"(D:\d{14}[+-]\d\d'\d\d')"))) << date;
        EXPECT_EQ(date.substr(16), c.suffix) << c.zone;
    }
    if (saved) setenv("TZ", previous.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

// SOURCE_DATE_EPOCH gives the time in UTC; a value that is no time is refused.
TEST(PdfDate, SourceDateEpochReplacesTheClock) {
    fixtures::ScopedEnvironment zone("TZ", "XYZ-5:45");
    tzset();
    const struct {
        const char* value;
        const char* date;  // empty: refused
    } cases[] = {
        {"0", "D:19700101000000+00'00'"},
        {"1672531200", "D:20230101000000+00'00'"},
        {"253402300799", "D:99991231235959+00'00'"},
        {"253402300800", ""},
        {"-5", ""},
        {"1e9", ""},
        {" 5", ""},
        {"soon", ""},
    };
    for (const auto& c : cases) {
        const fixtures::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", c.value);
        if (*c.date)
            EXPECT_EQ(currentPdfDate(), c.date) << c.value;
        else
            EXPECT_EQ(fixtures::errorOf([] { currentPdfDate(); }),
                      std::string("SOURCE_DATE_EPOCH is not a whole number of seconds since 1970: '") + c.value + "'");
    }
    const fixtures::ScopedEnvironment empty("SOURCE_DATE_EPOCH", "");
    EXPECT_EQ(currentPdfDate().substr(16), "+05'45'") << "an empty value leaves the clock";
    zone.set(std::nullopt);
    tzset();
}

}  // namespace
