#include "finishing/saved_pdf.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "base/platform_files.h"
#include "base/block_input_source.h"

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>

namespace {

constexpr std::size_t FirstBlock = 64u << 10;
constexpr std::size_t LargestBlock = 1u << 20;

// The temporary file's errors, named as such.
template <typename Call>
auto onTemporaryFile(const char* what, Call call) {
    try {
        return call();
    } catch (const PlatformError& error) {
        throw std::runtime_error(std::string(what) + " the temporary file: " + error.what());
    }
}

}  // namespace

SavedPdf::SavedPdf(std::string folder, std::uint64_t spillBytes)
    : folder_(std::move(folder)), spillBytes_(spillBytes), file_(std::make_unique<RandomAccessFile>()) {}

SavedPdf SavedPdf::fromBytes(const std::string& bytes) {
    SavedPdf saved;
    saved.append(bytes.data(), bytes.size());
    return saved;
}

SavedPdf::SavedPdf(SavedPdf&& other) noexcept
    : folder_(std::move(other.folder_)), spillBytes_(other.spillBytes_), blocks_(std::move(other.blocks_)),
      file_(std::make_unique<RandomAccessFile>(std::move(*other.file_))), size_(std::exchange(other.size_, 0)) {}

SavedPdf& SavedPdf::operator=(SavedPdf&& other) noexcept {
    if (this != &other) {
        folder_ = std::move(other.folder_);
        spillBytes_ = other.spillBytes_;
        blocks_ = std::move(other.blocks_);
        *file_ = std::move(*other.file_);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

SavedPdf::~SavedPdf() = default;

bool SavedPdf::inFile() const { return file_->open(); }

void SavedPdf::spill() {
    onTemporaryFile("Cannot make", [&] { *file_ = RandomAccessFile::scratch(folder_); });
    for (const std::vector<char>& block : blocks_)
        onTemporaryFile("Cannot write", [&] { file_->append(block.data(), block.size()); });
    blocks_.clear();
    blocks_.shrink_to_fit();
}

void SavedPdf::append(const char* data, std::size_t size) {
    if (!inFile() && size_ + size > spillBytes_) spill();
    size_ += size;
    if (inFile()) return onTemporaryFile("Cannot write", [&] { file_->append(data, size); });
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
    if (inFile()) return onTemporaryFile("Cannot read", [&] { return file_->readAt(offset, buffer, size); });
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
    if (!inFile()) {
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

namespace {

// The bytes of one block read where they are, without a copy.
struct ContiguousSource {
    ContiguousSource(const std::string& name, const std::vector<char>& bytes)
        : buffer(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())), bytes.size()),
          source(name, &buffer) {}
    Buffer buffer;  // not owning the bytes
    BufferInputSource source;
};

}  // namespace

std::shared_ptr<InputSource> SavedPdf::source(const std::string& name) const {
    // Most outputs fit in their first block.
    if (!inFile() && blocks_.size() == 1) {
        const auto contiguous = std::make_shared<ContiguousSource>(name, blocks_.front());
        return std::shared_ptr<InputSource>(contiguous, &contiguous->source);
    }
    return std::make_shared<BlockInputSource>(
        name, size_, [this](std::uint64_t offset, char* buffer, std::size_t size) { return readAt(offset, buffer, size); });
}
