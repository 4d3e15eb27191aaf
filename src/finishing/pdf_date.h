#pragma once
#include <ctime>
#include <string>

// A PDF date string "D:YYYYMMDDHHmmSS+HH'mm'" for a local time and its offset from UTC.
std::string pdfDate(const std::tm& local, int utcOffsetMinutes);

// The clock's current local time as a PDF date string.
std::string currentPdfDate();
