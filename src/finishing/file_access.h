#pragma once
#include <cstddef>
#include <string>

// Every byte of a file, refused when it holds more than maxBytes. Throws
// std::runtime_error with the reason only.
std::string readWholeFile(const std::string& path, std::size_t maxBytes);
