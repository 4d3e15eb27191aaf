#pragma once
#include <string>

// The text the window shows for an error that ended an operation: its
// message, with "." appended when the last character is above "." in
// code order (a letter or digit, say), so "Access denied" reads
// "Access denied." while "Disk full." and "(code 5)" stay as they are.
std::string applicationErrorText(const std::string& message);
