#pragma once
#include <string>

// The program's version as four numbers joined by ".": major, minor, release, build.
std::string GetAppVersion();
