#include "base/platform_files.h"

#include <utility>

// What every system's staged file does alike; the rest is in
// platform_files_posix.cpp and platform_files_windows.cpp.

StagedFile::StagedFile(StagedFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), temporary_(std::move(other.temporary_)),
      folder_(std::move(other.folder_)) {
    other.temporary_.clear();
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        discard();
        handle_ = std::exchange(other.handle_, -1);
        temporary_ = std::exchange(other.temporary_, "");
        folder_ = std::move(other.folder_);
    }
    return *this;
}
