#include "finishing/file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

std::string readWholeFile(const std::string& path, std::size_t maxBytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error(std::strerror(errno));
    std::string bytes;
    char block[1 << 16];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0) {
        if (bytes.size() + count > maxBytes) {
            std::fclose(file);
            throw std::runtime_error("the file is larger than " + std::to_string(maxBytes >> 20) + " MB");
        }
        bytes.append(block, count);
    }
    const int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error) throw std::runtime_error(std::strerror(error));
    return bytes;
}
