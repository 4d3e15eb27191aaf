#pragma once
#ifdef _WIN32
#include <string>

// UTF-8 and the wide text of Windows' own calls, and the system's words for
// an error code.
std::wstring wideText(const std::string& text);
std::string utf8Text(const std::wstring& text);
std::string systemMessage(unsigned long error);
#endif
