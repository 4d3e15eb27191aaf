#include "finishing/file_access.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void cannotWrite(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Cannot write file \"" + path + "\": " + reason);
}

}  // namespace

std::string readWholeFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error(std::strerror(errno));
    std::string bytes;
    char block[1 << 16];
    size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, count);
    const int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error) throw std::runtime_error(std::strerror(error));
    return bytes;
}

void replaceFile(const std::string& path, const std::function<void(std::FILE*)>& write) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) != 0) cannotWrite(path, std::strerror(errno));
    // A file marked read-only is not replaced behind its owner's back, even
    // where the folder would allow it.
    if ((existing.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        cannotWrite(path, std::strerror(EACCES));

    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) cannotWrite(path, std::strerror(errno));
    ::fchmod(descriptor, existing.st_mode & 07777);
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file) {
        const int error = errno;
        ::close(descriptor);
        ::unlink(temporary.c_str());
        cannotWrite(path, std::strerror(error));
    }

    std::string failure;
    try {
        write(file);
        if (std::fflush(file) != 0 || std::ferror(file)) failure = std::strerror(errno);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (std::fclose(file) != 0 && failure.empty()) failure = std::strerror(errno);
    if (failure.empty() && ::rename(temporary.c_str(), path.c_str()) != 0) failure = std::strerror(errno);
    if (!failure.empty()) {
        ::unlink(temporary.c_str());
        cannotWrite(path, failure);
    }
}
