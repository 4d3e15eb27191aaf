#include "structure/file_block_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qpdf_offset_t BlockSize = 32 * 1024;
constexpr std::size_t BlocksKept = 8;

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw std::runtime_error(path + ": " + what + ": " + std::strerror(errno));
}

}  // namespace

FileBlockSource::FileBlockSource(const std::string& path) : path_(path) {
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) fail(path_, "cannot open");
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        ::close(descriptor_);
        fail(path_, "cannot read");
    }
    size_ = status.st_size;
}

FileBlockSource::~FileBlockSource() { ::close(descriptor_); }

const FileBlockSource::Block& FileBlockSource::blockAt(qpdf_offset_t offset) {
    const qpdf_offset_t index = offset / BlockSize;
    for (auto block = blocks_.begin(); block != blocks_.end(); ++block) {
        if (block->index != index) continue;
        blocks_.splice(blocks_.begin(), blocks_, block);
        return blocks_.front();
    }
    if (blocks_.size() >= BlocksKept) blocks_.pop_back();
    Block block{index, std::vector<char>(static_cast<std::size_t>(std::min(BlockSize, size_ - index * BlockSize)))};
    std::size_t done = 0;
    while (done < block.bytes.size()) {
        const ssize_t got = ::pread(descriptor_, block.bytes.data() + done, block.bytes.size() - done,
                                    static_cast<off_t>(index * BlockSize + static_cast<qpdf_offset_t>(done)));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(path_, "cannot read");
        if (got == 0) {  // the file became shorter
            block.bytes.resize(done);
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    blocks_.push_front(std::move(block));
    return blocks_.front();
}

size_t FileBlockSource::read(char* buffer, size_t length) {
    last_offset = position_;
    size_t done = 0;
    while (done < length && position_ < size_) {
        const Block& block = blockAt(position_);
        const qpdf_offset_t start = position_ - block.index * BlockSize;
        if (start >= static_cast<qpdf_offset_t>(block.bytes.size())) break;
        const size_t take = std::min(length - done, block.bytes.size() - static_cast<size_t>(start));
        std::memcpy(buffer + done, block.bytes.data() + start, take);
        done += take;
        position_ += static_cast<qpdf_offset_t>(take);
    }
    return done;
}

void FileBlockSource::seek(qpdf_offset_t offset, int whence) {
    const qpdf_offset_t base = whence == SEEK_END ? size_ : whence == SEEK_CUR ? position_ : 0;
    if (base + offset < 0) throw std::runtime_error(path_ + ": seek before the beginning of the file");
    position_ = base + offset;
}

void FileBlockSource::unreadCh(char) {
    if (position_ == 0) throw std::runtime_error(path_ + ": unread before the beginning of the file");
    --position_;
}

// Finds the next end of line from the current position, moves past it and
// the line ends that follow, and returns where it began; the end of the file
// when there is none.
qpdf_offset_t FileBlockSource::findAndSkipNextEOL() {
    auto isEnd = [](char c) { return c == '\r' || c == '\n'; };
    char c = 0;
    qpdf_offset_t found = -1;
    while (found < 0 && read(&c, 1) == 1)
        if (isEnd(c)) found = position_ - 1;
    if (found < 0) {
        position_ = size_;
        last_offset = size_;
        return size_;
    }
    while (read(&c, 1) == 1) {
        if (!isEnd(c)) {
            --position_;
            break;
        }
    }
    return found;
}
