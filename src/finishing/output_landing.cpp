#include "finishing/output_landing.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A batch lands when it holds this many outputs or bytes, or has waited this
// long, so that a window watching the job sees files arrive as it goes.
constexpr std::size_t BatchOutputs = 64;
constexpr std::size_t BatchBytes = 64u << 20;
constexpr std::chrono::milliseconds BatchWait(500);

std::string fullName(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return (absolute.empty() ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

[[noreturn]] void cannotCreate(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Cannot create file \"" + fullName(path) + "\". " + reason);
}

unsigned newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

// The temporary file's name stays short whatever the target's, so that a
// target name as long as the folder allows still works.
std::string temporaryPattern(const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    return (folder / ".splimera-XXXXXX").string();
}

// One flush of the file system holding the file; for a single file, the file alone.
bool flushToDisk(int descriptor, bool alone) {
#ifdef __linux__
    if (!alone) return ::syncfs(descriptor) == 0;
#endif
    (void)alone;
    return ::fsync(descriptor) == 0;
}

}  // namespace

OutputLanding::OutputLanding(Landed landed) : landed_(std::move(landed)) {}

OutputLanding::~OutputLanding() {
    try {
        land();
    } catch (...) {
        discardStaged();  // a second failure while the first unwinds: the staged outputs go
    }
}

void OutputLanding::stage(const WrittenOutput& output, const std::function<void(std::FILE*)>& write) {
    const std::string& path = output.path;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    // A file marked read-only is not replaced behind its owner's back, even
    // where the folder would allow it.
    if (exists && S_ISDIR(existing.st_mode)) cannotCreate(path, std::strerror(EISDIR));
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        cannotCreate(path, std::strerror(EACCES));

    std::string temporary = temporaryPattern(path);
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) cannotCreate(path, std::strerror(errno));
    const int handed = ::dup(descriptor);
    std::FILE* file = handed < 0 ? nullptr : ::fdopen(handed, "wb");
    std::string failure;
    if (!file) {
        failure = std::strerror(errno);
        if (handed >= 0) ::close(handed);
    } else {
        try {
            write(file);
            if (std::fflush(file) != 0 || std::ferror(file)) failure = std::strerror(errno);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        if (std::fclose(file) != 0 && failure.empty()) failure = std::strerror(errno);
    }
    struct stat written {};
    if (failure.empty() && ::fstat(descriptor, &written) != 0) failure = std::strerror(errno);
    if (!failure.empty()) {
        ::close(descriptor);
        ::unlink(temporary.c_str());
        throw std::runtime_error("Cannot write file \"" + path + "\": " + failure);
    }

    if (staged_.empty()) firstStaged_ = std::chrono::steady_clock::now();
    staged_.push_back({output, temporary, descriptor, exists ? (existing.st_mode & 07777u) : newFileMode()});
    stagedBytes_ += static_cast<std::size_t>(written.st_size);
    if (batchIsFull()) land();
}

bool OutputLanding::batchIsFull() const {
    return staged_.size() >= BatchOutputs || stagedBytes_ >= BatchBytes ||
           std::chrono::steady_clock::now() - firstStaged_ >= BatchWait;
}

void OutputLanding::land() {
    if (staged_.empty()) return;
    if (!flushToDisk(staged_.front().descriptor, staged_.size() == 1)) {
        const std::string reason = std::strerror(errno), path = staged_.front().output.path;
        discardStaged();
        throw std::runtime_error("Cannot write file \"" + path + "\": " + reason);
    }
    std::vector<Staged> batch;
    batch.swap(staged_);
    stagedBytes_ = 0;
    for (const Staged& staged : batch) ::close(staged.descriptor);
    for (std::size_t i = 0; i < batch.size(); ++i) {
        const Staged& staged = batch[i];
        if (::chmod(staged.temporary.c_str(), staged.mode) != 0 ||
            ::rename(staged.temporary.c_str(), staged.output.path.c_str()) != 0) {
            const int error = errno;
            // Neither this output nor the rest of the batch reaches its target.
            for (std::size_t j = i; j < batch.size(); ++j) ::unlink(batch[j].temporary.c_str());
            cannotCreate(staged.output.path, std::strerror(error));
        }
        if (landed_) landed_(staged.output);
    }
}

void OutputLanding::discardStaged() {
    for (const Staged& staged : staged_) {
        ::close(staged.descriptor);
        ::unlink(staged.temporary.c_str());
    }
    staged_.clear();
    stagedBytes_ = 0;
}
