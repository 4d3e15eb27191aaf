#pragma once
#include <string>

// Asks the desktop to open a document, folder or web address; the result is ignored.
void openOnDesktop(const std::string& target);
