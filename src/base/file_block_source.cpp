#include "base/file_block_source.h"

#include <memory>
#include <stdexcept>

#include "base/platform_files.h"

namespace {

std::shared_ptr<RandomAccessFile> openForReading(const std::string& path) {
    try {
        return std::make_shared<RandomAccessFile>(RandomAccessFile::forReading(path));
    } catch (const PlatformError& error) {
        throw std::runtime_error(path + ": cannot open: " + error.what());
    }
}

BlockInputSource::ReadAt readerOf(const std::string& path, std::shared_ptr<RandomAccessFile> file) {
    return [path, file](std::uint64_t offset, char* buffer, std::size_t size) {
        try {
            return file->readAt(offset, buffer, size);
        } catch (const PlatformError& error) {
            throw std::runtime_error(path + ": cannot read: " + error.what());
        }
    };
}

std::uint64_t sizeOf(const std::string& path, const RandomAccessFile& file) {
    try {
        return file.size();
    } catch (const PlatformError& error) {
        throw std::runtime_error(path + ": cannot read: " + error.what());
    }
}

}  // namespace

FileBlockSource::FileBlockSource(const std::string& path) : FileBlockSource(path, openForReading(path)) {}

FileBlockSource::FileBlockSource(const std::string& path, const std::shared_ptr<RandomAccessFile>& file)
    : BlockInputSource(path, sizeOf(path, *file), readerOf(path, file)) {}
