#include "finishing/output_landing.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// A batch lands when it holds this many outputs or bytes, or has waited this
// long, so that a window watching the job sees files arrive as it goes.
constexpr std::size_t BatchOutputs = 128;
constexpr std::size_t BatchBytes = 64u << 20;
constexpr std::chrono::milliseconds BatchWait(500);
// Files flushed at the same time: a journaling file system commits the
// flushes that wait together in one go, where one after another each waits
// for a commit of its own (a split into 1,000 small files waited seconds for
// them on a busy disk).
constexpr std::size_t FlushesAtOnce = 8;
// Descriptors left for the inputs, libraries and streams of the process.
constexpr std::size_t OpenFilesKept = 32;

std::string fullName(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return (absolute.empty() ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

[[noreturn]] void cannotCreate(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Cannot create file \"" + fullName(path) + "\". " + reason);
}

[[noreturn]] void cannotWrite(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Cannot write file \"" + path + "\": " + reason);
}

std::string folderOf(const std::string& file) {
    const std::filesystem::path path(file);
    return path.has_parent_path() ? path.parent_path().string() : "";
}

// A batch and the one in flight each hold their staged files open.
std::size_t stagedFilesAllowed() {
    const std::size_t limit = openFileLimit(), open = openFileCount() + OpenFilesKept;
    return std::clamp<std::size_t>(limit > open ? (limit - open) / 2 : 1, 1, BatchOutputs);
}

}  // namespace

OutputLanding::OutputLanding(Landed landed) : landed_(std::move(landed)), mostOpen_(stagedFilesAllowed()) {}

OutputLanding::~OutputLanding() {
    try {
        land();
    } catch (...) {
        discardStaged();  // a second failure while the first unwinds: the staged outputs go
    }
}

OutputLanding::Staging OutputLanding::createStaged(const WrittenOutput& output) {
    const std::string& path = output.path;
    Staged staged{output, {}, {}, 0};
    try {
        staged.target = outputTargetOf(path);
        const OutputTarget& target = staged.target;
        if (target.kind == OutputTarget::Folder) cannotCreate(path, "Is a directory");
        if (target.kind == OutputTarget::ExistingFile && target.readOnly) cannotCreate(path, "Permission denied");
        staged.file = target.kind == OutputTarget::Stream ? StagedFile::forStream() : StagedFile::inFolder(folderOf(target.file));
        staged.mode = target.kind == OutputTarget::ExistingFile ? target.mode : newFileMode();
    } catch (const PlatformError& error) {
        cannotCreate(path, error.what());
    }
    return Staging(std::move(staged));
}

void OutputLanding::fill(Staging& staging, const std::function<void(std::FILE*)>& write) {
    Staged& staged = staging.staged_;
    std::string failure;
    try {
        std::FILE* file = staged.file.openWriter();
        try {
            write(file);
            if (std::fflush(file) != 0 || std::ferror(file)) failure = std::strerror(errno);
        } catch (const std::exception& error) {
            failure = error.what();
        } catch (...) {
            std::fclose(file);  // what is no failure of writing goes on, the staged file with its staging
            throw;
        }
        if (std::fclose(file) != 0 && failure.empty()) failure = std::strerror(errno);
    } catch (const PlatformError& error) {
        failure = error.what();
    }
    if (!failure.empty()) cannotWrite(staged.output.path, failure);  // the staged file goes with staging
    if (staged.target.kind != OutputTarget::Stream) staged.file.startWriteBack();
}

void OutputLanding::stage(Staging&& staging) {
    if (staged_.empty()) firstStaged_ = std::chrono::steady_clock::now();
    stagedBytes_ += staging.staged_.file.size();
    staged_.push_back(std::move(staging.staged_));
    if (batchIsFull()) sendOff();
}

bool OutputLanding::batchIsFull() const {
    return staged_.size() >= mostOpen_ || stagedBytes_ >= BatchBytes ||
           std::chrono::steady_clock::now() - firstStaged_ >= BatchWait;
}

void OutputLanding::land() {
    sendOff();
    landInFlight();
}

void OutputLanding::sendOff() {
    landInFlight();
    if (staged_.empty()) return;
    Batch& batch = inFlight_.emplace();
    batch.files = std::move(staged_);
    staged_.clear();
    stagedBytes_ = 0;
    const auto flushAll = [files = &batch.files] { return flushBatch(*files); };
    try {
        batch.flushed = std::async(std::launch::async, flushAll);
    } catch (const std::system_error&) {
        // No thread to be had (a process limit): the job's thread flushes.
        std::promise<std::optional<FlushFailure>> done;
        done.set_value(flushAll());
        batch.flushed = done.get_future();
    }
}

std::optional<OutputLanding::FlushFailure> OutputLanding::flushBatch(std::vector<Staged>& files) {
    std::vector<std::string> reasons(files.size());
    std::atomic<std::size_t> next{0};
    const auto flushSome = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++)
            if (files[i].target.kind != OutputTarget::Stream) reasons[i] = files[i].file.flush();
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min(FlushesAtOnce, files.size()) - 1;
    for (std::size_t i = 0; i < wanted; ++i) {
        try {
            helpers.emplace_back(flushSome);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the ones there are flush the rest
        }
    }
    flushSome();
    for (std::thread& helper : helpers) helper.join();
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!reasons[i].empty()) return FlushFailure{i, std::move(reasons[i])};
    return std::nullopt;
}

void OutputLanding::landInFlight() {
    if (!inFlight_) return;
    const std::optional<FlushFailure> failure = inFlight_->flushed.get();
    // Whatever does not land here is discarded with the batch.
    std::vector<Staged> batch = std::move(inFlight_->files);
    inFlight_.reset();
    for (std::size_t i = 0; i < batch.size(); ++i) {
        Staged& staged = batch[i];
        // Neither this output nor the rest of the batch reaches its target.
        if (failure && failure->index == i) cannotWrite(staged.output.path, failure->reason);
        try {
            if (staged.target.kind == OutputTarget::Stream)
                staged.file.copyTo(staged.target);
            else
                staged.file.land(staged.target.file, staged.mode);
        } catch (const PlatformError& error) {
            if (staged.target.kind == OutputTarget::Stream) cannotWrite(staged.output.path, error.what());
            cannotCreate(staged.output.path, error.what());
        }
        if (landed_) landed_(staged.output);
    }
}

void OutputLanding::discardStaged() {
    if (inFlight_) {
        inFlight_->flushed.wait();
        inFlight_.reset();
    }
    staged_.clear();
    stagedBytes_ = 0;
}

bool landsOnStandardOutput(const std::string& path) {
    try {
        const OutputTarget target = outputTargetOf(path);
        return target.kind == OutputTarget::Stream && target.descriptor == 1;
    } catch (const PlatformError&) {
        return false;
    }
}
