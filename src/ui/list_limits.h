#pragma once
#include <functional>
#include <string>

// The merge list holds at most this many files.
inline constexpr int MaxListedFiles = 50;

// The merge list's refusal of a file beyond its 50, in the user's language.
std::string listFullMessage(const std::function<std::string(const std::string& key)>& translate);
