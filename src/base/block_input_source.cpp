#include "base/block_input_source.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr qpdf_offset_t BlockSize = 32 * 1024;
constexpr std::size_t BlocksKept = 8;

}  // namespace

BlockInputSource::BlockInputSource(std::string name, std::uint64_t size, ReadAt readAt)
    : name_(std::move(name)), size_(static_cast<qpdf_offset_t>(size)), readAt_(std::move(readAt)) {}

const BlockInputSource::Block& BlockInputSource::blockAt(qpdf_offset_t offset) {
    const qpdf_offset_t index = offset / BlockSize;
    for (auto block = blocks_.begin(); block != blocks_.end(); ++block) {
        if (block->index != index) continue;
        blocks_.splice(blocks_.begin(), blocks_, block);
        return blocks_.front();
    }
    if (blocks_.size() >= BlocksKept) blocks_.pop_back();
    const auto wanted = static_cast<std::size_t>(std::min(BlockSize, size_ - index * BlockSize));
    Block block{index, std::unique_ptr<char[]>(new char[wanted]), 0};
    // Shorter when the file became shorter.
    block.size = readAt_(static_cast<std::uint64_t>(index * BlockSize), block.bytes.get(), wanted);
    blocks_.push_front(std::move(block));
    return blocks_.front();
}

size_t BlockInputSource::read(char* buffer, size_t length) {
    last_offset = position_;
    size_t done = 0;
    while (done < length && position_ < size_) {
        if (length - done >= static_cast<size_t>(BlockSize)) {
            const size_t wanted = std::min(length - done, static_cast<size_t>(size_ - position_));
            const size_t got = readAt_(static_cast<std::uint64_t>(position_), buffer + done, wanted);
            done += got;
            position_ += static_cast<qpdf_offset_t>(got);
            if (got < wanted) break;
            continue;
        }
        const Block& block = blockAt(position_);
        const qpdf_offset_t start = position_ - block.index * BlockSize;
        if (start >= static_cast<qpdf_offset_t>(block.size)) break;
        const size_t take = std::min(length - done, block.size - static_cast<size_t>(start));
        std::memcpy(buffer + done, block.bytes.get() + start, take);
        done += take;
        position_ += static_cast<qpdf_offset_t>(take);
    }
    return done;
}

void BlockInputSource::seek(qpdf_offset_t offset, int whence) {
    const qpdf_offset_t base = whence == SEEK_END ? size_ : whence == SEEK_CUR ? position_ : 0;
    if (base + offset < 0) throw std::runtime_error(name_ + ": seek before the beginning of the file");
    position_ = base + offset;
}

void BlockInputSource::unreadCh(char) {
    if (position_ == 0) throw std::runtime_error(name_ + ": unread before the beginning of the file");
    --position_;
}

// Finds the next end of line from the current position, moves past it and
// the line ends that follow, and returns where it began; the end of the file
// when there is none.
qpdf_offset_t BlockInputSource::findAndSkipNextEOL() {
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
