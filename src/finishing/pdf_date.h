#pragma once
#include <ctime>
#include <optional>
#include <string>

// A PDF date string "D:YYYYMMDDHHmmSS+HH'mm'" for a local time and its offset from UTC.
std::string pdfDate(const std::tm& local, int utcOffsetMinutes);

// The time SOURCE_DATE_EPOCH gives in seconds since 1970-01-01 UTC, the
// reproducible-builds convention for outputs that must not depend on when
// they were made; nothing when it is not set or empty. Raises
// std::runtime_error for a value that is not a whole number of seconds.
std::optional<std::time_t> sourceDateEpoch();

// The clock's current local time as a PDF date string, or the time of
// SOURCE_DATE_EPOCH in UTC when it is set.
std::string currentPdfDate();
