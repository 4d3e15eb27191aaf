#pragma once
#include <string>

// Asks the desktop to open a document, folder or web address; false when
// nothing on the desktop took it.
bool openOnDesktop(const std::string& target);
