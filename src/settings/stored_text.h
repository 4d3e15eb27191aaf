#pragma once
#include <string>
#include <vector>

// How a value kept by QSettings reads as text, whatever store holds it: the
// INI file's values and the registry's strings are marked by a leading "@"
// when they are not plain text ("@ByteArray(...)", "@String(...)",
// "@Variant(...)", ...), and a text that itself starts with "@" is kept with
// one more ("@@").
//
// A plain text or a marked text or byte array reads as its text (bytes as
// UTF-8); any other marked type ("@Variant(...)", "@Rect(...)", "@Invalid()",
// ...) reads as "".
std::string storedTextOfValue(const std::string& value);

// A list of values (a hand-written INI value with unquoted commas, a
// multi-string in the registry) reads as its items joined by ","; a list with
// an item marked as another type reads as "".
std::string storedTextOfList(const std::vector<std::string>& items);
