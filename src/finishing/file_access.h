#pragma once
#include <cstdio>
#include <functional>
#include <string>

// Every byte of a file. Throws std::runtime_error with the system's reason only.
std::string readWholeFile(const std::string& path);

// Replaces the file at path with what write puts into a temporary file in the
// same folder: path changes only when that is complete, and the temporary file
// never stays behind. The replacement keeps the permissions of the file it
// replaces. Throws std::runtime_error naming path and the reason.
void replaceFile(const std::string& path, const std::function<void(std::FILE*)>& write);
