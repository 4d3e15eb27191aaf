#include "finishing/output_landing.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A batch lands when it holds this many outputs or bytes, or has waited this
// long, so that a window watching the job sees files arrive as it goes.
constexpr std::size_t BatchOutputs = 128;
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
    static const unsigned mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666u & ~static_cast<unsigned>(mask);
    }();
    return mode;
}

// The temporary file's name stays short whatever the target's, so that a
// target name as long as the folder allows still works.
std::string temporaryPattern(const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    return (folder / ".splimera-XXXXXX").string();
}

// Flushes the files to disk and closes them: one flush of the file system
// for several (they share the target's folder), the file alone for one.
// Returns 0 or the error.
int flushAndClose(const std::vector<int>& descriptors) {
    bool flushed;
#ifdef __linux__
    if (descriptors.size() > 1)
        flushed = ::syncfs(descriptors.front()) == 0;
    else
#endif
        flushed = ::fsync(descriptors.front()) == 0;
    const int error = flushed ? 0 : errno;
    for (int descriptor : descriptors) ::close(descriptor);
    return error;
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
    if (file) std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
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
    if (batchIsFull()) sendOff();
}

bool OutputLanding::batchIsFull() const {
    return staged_.size() >= BatchOutputs || stagedBytes_ >= BatchBytes ||
           std::chrono::steady_clock::now() - firstStaged_ >= BatchWait;
}

void OutputLanding::land() {
    sendOff();
    renameInFlight();
}

void OutputLanding::sendOff() {
    renameInFlight();
    if (staged_.empty()) return;
    std::vector<int> descriptors;
    for (Staged& staged : staged_) descriptors.push_back(std::exchange(staged.descriptor, -1));
    inFlight_ = Batch{std::move(staged_), std::async(std::launch::async, flushAndClose, std::move(descriptors))};
    staged_.clear();
    stagedBytes_ = 0;
}

void OutputLanding::renameInFlight() {
    if (!inFlight_) return;
    const std::vector<Staged> batch = std::move(inFlight_->files);
    const int flushError = inFlight_->flushed.get();
    inFlight_.reset();
    for (std::size_t i = 0; i < batch.size(); ++i) {
        const Staged& staged = batch[i];
        const int error = flushError ? flushError
                          : ::chmod(staged.temporary.c_str(), staged.mode) != 0 ||
                                    ::rename(staged.temporary.c_str(), staged.output.path.c_str()) != 0
                              ? errno
                              : 0;
        if (error) {
            // Neither this output nor the rest of the batch reaches its target.
            for (std::size_t j = i; j < batch.size(); ++j) ::unlink(batch[j].temporary.c_str());
            if (flushError) throw std::runtime_error("Cannot write file \"" + staged.output.path + "\": " + std::strerror(error));
            cannotCreate(staged.output.path, std::strerror(error));
        }
        if (landed_) landed_(staged.output);
    }
}

void OutputLanding::discardStaged() {
    if (inFlight_) {
        inFlight_->flushed.wait();
        for (const Staged& staged : inFlight_->files) ::unlink(staged.temporary.c_str());
        inFlight_.reset();
    }
    for (const Staged& staged : staged_) {
        ::close(staged.descriptor);
        ::unlink(staged.temporary.c_str());
    }
    staged_.clear();
    stagedBytes_ = 0;
}
