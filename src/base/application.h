#pragma once
#include <string>

// The program's name, as the window, its messages and every output show it.
inline constexpr const char* ApplicationName = "Splimera";
// The maker's web address.
inline constexpr const char* WebAddress = "https://splimera.brellow.org";
// Every output's creator entry: "Splimera (<web address>)".
inline const std::string CreatorText = std::string(ApplicationName) + " (" + WebAddress + ")";

// The program's version as four numbers joined by ".": major, minor, release, build.
std::string applicationVersion();
