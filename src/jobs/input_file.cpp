#include "jobs/input_file.h"

#include <filesystem>

InputFile inputFileFor(const std::string& path, std::string password) {
    const std::string name = std::filesystem::u8path(path).filename().u8string();
    return {name, path.substr(0, path.size() - name.size()), std::move(password)};
}

bool isExistingFile(const std::string& path) { return pathKind(path) == PathKind::RegularFile; }

PathKind pathKind(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(std::filesystem::u8path(path), error);
    if (!std::filesystem::exists(status)) return PathKind::Missing;
    return std::filesystem::is_regular_file(status) ? PathKind::RegularFile : PathKind::NotRegularFile;
}

std::string inputProblem(const std::string& path) {
    switch (pathKind(path)) {
    case PathKind::Missing: return "does not exist";
    case PathKind::NotRegularFile: return "is not a regular file";
    case PathKind::RegularFile: break;
    }
    return "";
}
