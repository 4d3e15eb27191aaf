#pragma once
#include <list>
#include <string>
#include <vector>

#include <qpdf/InputSource.hh>

// A file read for libqpdf in blocks kept in memory, the last few used. The
// file source of libqpdf seeks the stream before every read, which costs a
// system call for every few bytes the parser takes; reading an input's
// structure is mostly such small reads all over the file.
class FileBlockSource : public InputSource {
public:
    explicit FileBlockSource(const std::string& path);
    ~FileBlockSource() override;
    FileBlockSource(const FileBlockSource&) = delete;
    FileBlockSource& operator=(const FileBlockSource&) = delete;

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const& getName() const override { return path_; }
    qpdf_offset_t tell() override { return position_; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { position_ = 0; }
    size_t read(char* buffer, size_t length) override;
    void unreadCh(char ch) override;

private:
    struct Block {
        qpdf_offset_t index;
        std::vector<char> bytes;
    };
    const Block& blockAt(qpdf_offset_t offset);

    std::string path_;
    int descriptor_ = -1;
    qpdf_offset_t size_ = 0;
    qpdf_offset_t position_ = 0;
    std::list<Block> blocks_;  // the most recently used first
};
