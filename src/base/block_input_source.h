#pragma once
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>

#include <qpdf/InputSource.hh>

// Bytes read for libqpdf in blocks kept in memory, the last few used. The
// file source of libqpdf seeks before every read, which costs a system call
// for every few bytes the parser takes; reading a document's objects is
// mostly such small reads all over it. A read of a block or more passes by
// the blocks (a stream's data).
class BlockInputSource : public InputSource {
public:
    // Copies up to size bytes from offset into buffer and returns how many;
    // fewer only at the end. May raise.
    using ReadAt = std::function<std::size_t(std::uint64_t offset, char* buffer, std::size_t size)>;

    BlockInputSource(std::string name, std::uint64_t size, ReadAt readAt);

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const& getName() const override { return name_; }
    qpdf_offset_t tell() override { return position_; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { position_ = 0; }
    size_t read(char* buffer, size_t length) override;
    void unreadCh(char ch) override;

private:
    struct Block {
        qpdf_offset_t index;
        std::unique_ptr<char[]> bytes;  // left uninitialised until read: most outputs are read once
        std::size_t size;
    };
    const Block& blockAt(qpdf_offset_t offset);

    std::string name_;
    qpdf_offset_t size_;
    ReadAt readAt_;
    qpdf_offset_t position_ = 0;
    std::list<Block> blocks_;  // the most recently used first
};
