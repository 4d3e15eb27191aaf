#pragma once
#include <map>
#include <string>
#include <string_view>

// The top-level values of a settings file in the INI format QSettings writes
// (UTF-8, an optional byte-order mark): the keys of the [General] section (and
// of lines before any section) by name, each value as text (stored_text.h).
//
// Keys lose their surrounding blanks and their "%XX" and "%UXXXX" escapes;
// keys of other sections, or with "\" (a group) in them, are not top-level.
// Values follow QSettings' escaping: double quotes keep blanks and commas,
// "\" escapes ("\n", "\"", "\\", "\x41", "\101", ...), a "\" at the end of a
// line continues the value on the next, an unquoted ";" starts a comment and
// unquoted commas make a list. A later line with the same key wins.
std::map<std::string, std::string> readIniTopLevelValues(std::string_view file);
