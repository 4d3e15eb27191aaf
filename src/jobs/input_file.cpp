#include "jobs/input_file.h"

#include <filesystem>

InputFile inputFileFor(const std::string& path, std::string password) {
    const std::string name = std::filesystem::u8path(path).filename().u8string();
    return {name, path.substr(0, path.size() - name.size()), std::move(password)};
}

bool isExistingFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path), error);
}
