#ifndef _WIN32
#include "base/platform_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(int error) { throw PlatformError(std::strerror(error)); }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string within(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The descriptor a path such as /dev/fd/1 or /proc/self/fd/1 names, or -1.
int descriptorNamedBy(const std::string& path) {
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/"}) {
        const std::size_t length = std::strlen(prefix);
        if (path.compare(0, length, prefix) != 0) continue;
        const std::string number = path.substr(length);
        if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos) return -1;
        return std::atoi(number.c_str());
    }
    return -1;
}

// Follows the symbolic links path is made of at its end, as far as they
// exist; a descriptor's name or a link into /proc ends the walk there.
std::string linksFollowed(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        if (path.compare(0, 6, "/proc/") == 0 || descriptorNamedBy(path) >= 0) return path;
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) return path;
            fail(errno);
        }
        if (!S_ISLNK(status.st_mode)) return path;
        std::vector<char> target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4095) + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) fail(errno);
        const std::string next(target.data(), static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : within(folderOf(path), next);
    }
    fail(ELOOP);
}

bool procFileDescriptorsReachable() {
    static const bool reachable = ::access("/proc/self/fd", X_OK) == 0;
    return reachable;
}

std::string randomName() {
    static thread_local std::mt19937 generator(std::random_device{}());
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = ".splimera-";
    for (int i = 0; i < 6; ++i) name += letters[generator() % (sizeof letters - 1)];
    return name;
}

// 0, or the error that stopped the write.
int writeAll(int descriptor, const char* bytes, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const ssize_t count = ::write(descriptor, bytes + done, size - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return errno;
        done += static_cast<std::size_t>(count);
    }
    return 0;
}

// An unnamed file in folder, or -1 where the file system has none.
int unnamedFileIn(const std::string& folder) {
#ifdef O_TMPFILE
    if (!procFileDescriptorsReachable()) return -1;  // it could not be given a name
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor >= 0) return descriptor;
    // Refusals that say the file system has no unnamed files: a named one is tried.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOENT) fail(errno);
    if (errno == ENOENT) {
        struct stat status {};
        if (::stat(folder.empty() ? "." : folder.c_str(), &status) != 0) fail(ENOENT);
    }
#else
    (void)folder;
#endif
    return -1;
}

std::string systemTemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// A file no one else can open, gone when closed: unnamed where the file
// system allows, else named and removed at once; -1 with errno set when the
// folder takes none.
int privateFileIn(const std::string& folder) {
#ifdef O_TMPFILE
    const int unnamed = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (unnamed >= 0) return unnamed;
#endif
    std::string pattern = within(folder, ".splimera-XXXXXX");
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0) ::unlink(pattern.c_str());
    return named;
}

}  // namespace

RandomAccessFile RandomAccessFile::scratch(const std::string& folder) {
    RandomAccessFile file;
    file.handle_ = folder.empty() ? -1 : privateFileIn(folder);
    if (file.handle_ < 0) file.handle_ = privateFileIn(systemTemporaryFolder());
    if (file.handle_ < 0) fail(errno);
    return file;
}

RandomAccessFile RandomAccessFile::forReading(const std::string& path) {
    RandomAccessFile file;
    file.handle_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.handle_ < 0) fail(errno);
    return file;
}

RandomAccessFile::RandomAccessFile(RandomAccessFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

RandomAccessFile& RandomAccessFile::operator=(RandomAccessFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != -1) ::close(static_cast<int>(handle_));
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

RandomAccessFile::~RandomAccessFile() {
    if (handle_ != -1) ::close(static_cast<int>(handle_));
}

std::uint64_t RandomAccessFile::size() const {
    struct stat status {};
    if (::fstat(static_cast<int>(handle_), &status) != 0) fail(errno);
    return static_cast<std::uint64_t>(status.st_size);
}

void RandomAccessFile::append(const char* data, std::size_t size) {
    if (const int error = writeAll(static_cast<int>(handle_), data, size)) fail(error);
}

std::size_t RandomAccessFile::readAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(static_cast<int>(handle_), buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(errno);
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

OutputTarget outputTargetOf(const std::string& path) {
    OutputTarget target;
    if (path == "-") {
        target.kind = OutputTarget::Stream;
        target.descriptor = STDOUT_FILENO;
        return target;
    }
    const std::string file = linksFollowed(path);
    target.file = file;
    if ((target.descriptor = descriptorNamedBy(file)) >= 0) {
        target.kind = OutputTarget::Stream;
        return target;
    }
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        if (errno != ENOENT) fail(errno);
        return target;
    }
    if (S_ISDIR(status.st_mode)) {
        target.kind = OutputTarget::Folder;
    } else if (S_ISREG(status.st_mode) && file.compare(0, 6, "/proc/") != 0) {
        target.kind = OutputTarget::ExistingFile;
        target.mode = status.st_mode & 07777u;
        // A file marked read-only is not replaced behind its owner's back,
        // even where the folder would allow it.
        target.readOnly = (status.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0;
    } else {
        target.kind = OutputTarget::Stream;
    }
    return target;
}

unsigned newFileMode() {
    static const unsigned mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666u & ~static_cast<unsigned>(mask);
    }();
    return mode;
}

std::optional<unsigned> permissionsOpenToOthers(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || (status.st_mode & (S_IRGRP | S_IROTH)) == 0) return std::nullopt;
    return status.st_mode & 07777u;
}

std::size_t openFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 1u << 20;
    return static_cast<std::size_t>(limit.rlim_cur);
}

std::size_t openFileCount() {
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder) return 16;  // a guess where the system does not tell
    std::size_t count = 0;
    while (const dirent* entry = ::readdir(folder))
        if (entry->d_name[0] != '.') ++count;
    ::closedir(folder);
    return count > 0 ? count - 1 : 0;  // not the folder's own descriptor
}

StagedFile StagedFile::inFolder(const std::string& folder) {
    StagedFile staged;
    staged.folder_ = folder;
    staged.handle_ = unnamedFileIn(folder);
    if (staged.handle_ >= 0) return staged;
    std::string pattern = within(folder, ".splimera-XXXXXX");
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) fail(errno);
    staged.handle_ = descriptor;
    staged.temporary_ = pattern;
    return staged;
}

StagedFile StagedFile::forStream() {
    StagedFile staged = inFolder(systemTemporaryFolder());
    // A stream's copy never gets a name.
    if (!staged.temporary_.empty()) ::unlink(std::exchange(staged.temporary_, "").c_str());
    return staged;
}

std::FILE* StagedFile::openWriter() {
    const int handed = ::fcntl(static_cast<int>(handle_), F_DUPFD_CLOEXEC, 0);
    if (handed < 0) fail(errno);
    std::FILE* file = ::fdopen(handed, "wb");
    if (!file) {
        const int error = errno;
        ::close(handed);
        fail(error);
    }
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    return file;
}

std::uint64_t StagedFile::size() const {
    struct stat status {};
    if (::fstat(static_cast<int>(handle_), &status) != 0) fail(errno);
    return static_cast<std::uint64_t>(status.st_size);
}

void StagedFile::startWriteBack() noexcept {
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(static_cast<int>(handle_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

std::string StagedFile::flush() noexcept {
#ifdef __APPLE__
    const bool flushed = ::fsync(static_cast<int>(handle_)) == 0;
#else
    const bool flushed = ::fdatasync(static_cast<int>(handle_)) == 0;
#endif
    return flushed ? "" : std::strerror(errno);
}

void StagedFile::land(const std::string& target, unsigned mode) {
    const int descriptor = static_cast<int>(handle_);
    if (::fchmod(descriptor, static_cast<mode_t>(mode)) != 0) fail(errno);
    if (temporary_.empty()) {
        // An unnamed file gets its name by a link to its descriptor's entry:
        // straight at the target when nothing is there, else under a fresh
        // name that is then renamed over the target.
        const std::string entry = "/proc/self/fd/" + std::to_string(descriptor);
        if (::linkat(AT_FDCWD, entry.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            discard();
            return;
        }
        if (errno != EEXIST) fail(errno);
        for (int attempt = 0;; ++attempt) {
            std::string name = within(folder_, randomName());
            if (::linkat(AT_FDCWD, entry.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                temporary_ = std::move(name);
                break;
            }
            if (errno != EEXIST || attempt == 100) fail(errno);
        }
    }
    if (::rename(temporary_.c_str(), target.c_str()) != 0) fail(errno);
    temporary_.clear();
    discard();
}

void StagedFile::copyTo(const OutputTarget& target) {
    const int into = target.descriptor >= 0 ? target.descriptor
                                            : ::open(target.file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (into < 0) fail(errno);
    std::vector<char> block(1 << 16);
    int error = 0;
    for (off_t at = 0;;) {
        const ssize_t count = ::pread(static_cast<int>(handle_), block.data(), block.size(), at);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            error = count < 0 ? errno : 0;
            break;
        }
        if ((error = writeAll(into, block.data(), static_cast<std::size_t>(count))) != 0) break;
        at += count;
    }
    if (target.descriptor < 0 && ::close(into) != 0 && error == 0) error = errno;
    discard();
    if (error) fail(error);
}

void StagedFile::discard() noexcept {
    if (handle_ == -1) return;
    ::close(static_cast<int>(handle_));
    handle_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}
#endif
