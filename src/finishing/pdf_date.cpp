#include "finishing/pdf_date.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// Days since 1970-01-01 of a calendar date (proleptic Gregorian).
long daysFromCivil(long year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long minutesOf(const std::tm& time) {
    return (daysFromCivil(time.tm_year + 1900L, time.tm_mon + 1, time.tm_mday) * 24 + time.tm_hour) * 60 +
           time.tm_min;
}

void breakDown(std::time_t now, std::tm& local, std::tm& utc) {
#ifdef _WIN32
    localtime_s(&local, &now);
    gmtime_s(&utc, &now);
#else
    localtime_r(&now, &local);
    gmtime_r(&now, &utc);
#endif
}

}  // namespace

std::string pdfDate(const std::tm& local, int utcOffsetMinutes) {
    const int offset = std::abs(utcOffsetMinutes);
    char text[80];
    std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d%c%02d'%02d'", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

std::optional<std::time_t> sourceDateEpoch() {
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (value == nullptr || *value == '\0') return std::nullopt;
    const std::string text = value;
    // Up to the last second of the year 9999, which a PDF date can hold.
    if (text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12 ||
        std::stoll(text) > 253402300799LL)
        throw std::runtime_error("SOURCE_DATE_EPOCH is not a whole number of seconds since 1970: '" + text + "'");
    return static_cast<std::time_t>(std::stoll(text));
}

std::string currentPdfDate() {
    std::tm local{}, utc{};
    if (const std::optional<std::time_t> epoch = sourceDateEpoch()) {
        breakDown(*epoch, local, utc);
        return pdfDate(utc, 0);
    }
    breakDown(std::time(nullptr), local, utc);
    // The offset is whatever separates the two readings of the same instant,
    // which also covers daylight saving time.
    return pdfDate(local, static_cast<int>(minutesOf(local) - minutesOf(utc)));
}
