#pragma once
#include <string>

// Asks the desktop to open a document or web address; the result is ignored.
// `parameters` has no counterpart on the desktop and is not used.
void ShellOpen(const std::string& target, const std::string& parameters);
