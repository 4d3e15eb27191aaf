#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class InputSource;
class RandomAccessFile;

// A new document as PDFium saves it: in blocks of memory while it is small
// (appending never copies what is there), in an unnamed temporary file once
// it passes SpillBytes, so that a large output (a scan) holds no memory for
// its bytes. Reading it back (libqpdf's input, or a copy into a file) reads
// the same bytes either way. Errors raise std::runtime_error with the reason.
class SavedPdf {
public:
    static constexpr std::size_t SpillBytes = 32u << 20;

    // folder: where the temporary file goes (the output's own folder, on the
    // file system the output lands on; the system's temporary folder when it
    // takes none); spillBytes: the size past which the bytes go there.
    explicit SavedPdf(std::string folder = "", std::uint64_t spillBytes = SpillBytes);
    // The bytes given, in memory.
    static SavedPdf fromBytes(const std::string& bytes);
    SavedPdf(SavedPdf&& other) noexcept;
    SavedPdf& operator=(SavedPdf&& other) noexcept;
    SavedPdf(const SavedPdf&) = delete;
    SavedPdf& operator=(const SavedPdf&) = delete;
    ~SavedPdf();

    void append(const char* data, std::size_t size);
    std::uint64_t size() const { return size_; }
    bool inFile() const;

    // Copies up to size bytes from offset into buffer; returns how many.
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) const;
    // Writes every byte into file.
    void writeTo(std::FILE* file) const;
    // A source libqpdf reads the document from, under that name; it reads
    // this object, which must outlive it.
    std::shared_ptr<InputSource> source(const std::string& name) const;

private:
    void spill();

    std::string folder_;
    std::uint64_t spillBytes_;
    std::vector<std::vector<char>> blocks_;  // each full but the last
    std::unique_ptr<RandomAccessFile> file_;  // the temporary file, open once spilled
    std::uint64_t size_ = 0;
};
