#include "finishing/saved_pdf.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include <qpdf/InputSource.hh>

namespace {

constexpr std::size_t FirstBlock = 64u << 10;
constexpr std::size_t LargestBlock = 1u << 20;

[[noreturn]] void failWith(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

std::string systemTemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// A file no one else can open, removed when closed: made without a name where
// the file system allows, else named and unlinked at once. -1 when the folder
// takes no file.
int unnamedFileIn(const std::string& folder) {
#ifdef O_TMPFILE
    const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (unnamed >= 0) return unnamed;
#endif
    std::string pattern = folder + "/.splimera-XXXXXX";
    const int named = ::mkstemp(pattern.data());
    if (named < 0) return -1;
    ::unlink(pattern.c_str());
    ::fcntl(named, F_SETFD, FD_CLOEXEC);
    return named;
}

// In the folder asked for, else in the system's temporary folder.
int unnamedFile(const std::string& folder) {
    const int inFolder = folder.empty() ? -1 : unnamedFileIn(folder);
    if (inFolder >= 0) return inFolder;
    const int inTemporary = unnamedFileIn(systemTemporaryFolder());
    if (inTemporary < 0) failWith("Cannot make a temporary file in " + systemTemporaryFolder());
    return inTemporary;
}

void writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) failWith("Cannot write the temporary file");
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

// libqpdf's reads of a saved document, mostly a few dozen bytes at a time,
// served from one block read ahead of them.
class SavedPdfSource : public InputSource {
public:
    SavedPdfSource(const SavedPdf& pdf, std::string name) : pdf_(pdf), name_(std::move(name)) {}

    qpdf_offset_t findAndSkipNextEOL() override {
        char c = 0;
        while (read(&c, 1) == 1) {
            if (c != '\r' && c != '\n') continue;
            const qpdf_offset_t end = position_ - 1;
            while (read(&c, 1) == 1) {
                if (c != '\r' && c != '\n') {
                    --position_;
                    break;
                }
            }
            return end;
        }
        return position_;
    }
    std::string const& getName() const override { return name_; }
    qpdf_offset_t tell() override { return position_; }
    void seek(qpdf_offset_t offset, int whence) override {
        const qpdf_offset_t size = static_cast<qpdf_offset_t>(pdf_.size());
        const qpdf_offset_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position_ : size;
        if (base + offset < 0) throw std::runtime_error(name_ + ": seek before the start");
        position_ = base + offset;
    }
    void rewind() override { position_ = 0; }
    size_t read(char* buffer, size_t length) override {
        last_offset = position_;
        std::size_t done = 0;
        while (done < length) {
            const std::uint64_t at = static_cast<std::uint64_t>(position_);
            if (at < blockStart_ || at >= blockStart_ + block_.size()) {
                if (at >= pdf_.size()) break;
                if (length - done >= BlockBytes) {  // a large read passes by the block
                    const std::size_t got = pdf_.readAt(at, buffer + done, length - done);
                    done += got;
                    position_ += static_cast<qpdf_offset_t>(got);
                    break;
                }
                block_.resize(BlockBytes);
                block_.resize(pdf_.readAt(at, block_.data(), BlockBytes));
                blockStart_ = at;
            }
            const std::size_t from = static_cast<std::size_t>(at - blockStart_);
            const std::size_t count = std::min(length - done, block_.size() - from);
            std::memcpy(buffer + done, block_.data() + from, count);
            done += count;
            position_ += static_cast<qpdf_offset_t>(count);
        }
        return done;
    }
    void unreadCh(char) override {
        if (position_ > 0) --position_;
    }

private:
    static constexpr std::size_t BlockBytes = 64u << 10;

    const SavedPdf& pdf_;
    std::string name_;
    qpdf_offset_t position_ = 0;
    std::vector<char> block_;
    std::uint64_t blockStart_ = 0;
};

}  // namespace

SavedPdf::SavedPdf(std::string folder, std::uint64_t spillBytes) : folder_(std::move(folder)), spillBytes_(spillBytes) {}

SavedPdf SavedPdf::fromBytes(const std::string& bytes) {
    SavedPdf saved;
    saved.append(bytes.data(), bytes.size());
    return saved;
}

SavedPdf::SavedPdf(SavedPdf&& other) noexcept
    : folder_(std::move(other.folder_)), spillBytes_(other.spillBytes_), blocks_(std::move(other.blocks_)),
      descriptor_(std::exchange(other.descriptor_, -1)), size_(std::exchange(other.size_, 0)) {}

SavedPdf& SavedPdf::operator=(SavedPdf&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) ::close(descriptor_);
        folder_ = std::move(other.folder_);
        spillBytes_ = other.spillBytes_;
        blocks_ = std::move(other.blocks_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

SavedPdf::~SavedPdf() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

void SavedPdf::spill() {
    descriptor_ = unnamedFile(folder_);
    for (const std::vector<char>& block : blocks_) writeAll(descriptor_, block.data(), block.size());
    blocks_.clear();
    blocks_.shrink_to_fit();
}

void SavedPdf::append(const char* data, std::size_t size) {
    if (descriptor_ < 0 && size_ + size > spillBytes_) spill();
    size_ += size;
    if (descriptor_ >= 0) return writeAll(descriptor_, data, size);
    while (size > 0) {
        if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
            // Blocks grow with the document, so that a small one takes little memory and a large one few blocks.
            blocks_.emplace_back();
            blocks_.back().reserve(std::clamp<std::size_t>(static_cast<std::size_t>(size_), FirstBlock, LargestBlock));
        }
        std::vector<char>& block = blocks_.back();
        const std::size_t count = std::min(size, block.capacity() - block.size());
        block.insert(block.end(), data, data + count);
        data += count;
        size -= count;
    }
}

std::size_t SavedPdf::readAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    if (descriptor_ >= 0) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::pread(descriptor_, buffer + done, size - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) failWith("Cannot read the temporary file");
            if (got == 0) break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }
    std::size_t done = 0;
    std::uint64_t start = 0;
    for (const std::vector<char>& block : blocks_) {
        if (done == size) break;
        const std::uint64_t end = start + block.size();
        if (offset + done < end) {
            const std::size_t from = static_cast<std::size_t>(offset + done - start);
            const std::size_t count = std::min(size - done, block.size() - from);
            std::memcpy(buffer + done, block.data() + from, count);
            done += count;
        }
        start = end;
    }
    return done;
}

void SavedPdf::writeTo(std::FILE* file) const {
    const auto put = [file](const char* data, std::size_t count) {
        if (std::fwrite(data, 1, count, file) != count) throw std::runtime_error(std::strerror(errno));
    };
    if (descriptor_ < 0) {
        for (const std::vector<char>& block : blocks_) put(block.data(), block.size());
        return;
    }
    std::vector<char> buffer(LargestBlock);
    for (std::uint64_t offset = 0; offset < size_;) {
        const std::size_t count = readAt(offset, buffer.data(), buffer.size());
        if (count == 0) throw std::runtime_error("The temporary file became shorter");
        put(buffer.data(), count);
        offset += count;
    }
}

std::shared_ptr<InputSource> SavedPdf::source(const std::string& name) const {
    return std::make_shared<SavedPdfSource>(*this, name);
}
