#pragma once
#include <memory>
#include <string>

#include "base/block_input_source.h"

// A file read for libqpdf in blocks (block_input_source.h). Raises
// std::runtime_error naming the file and the system's reason when it cannot
// be opened or read.
class RandomAccessFile;

class FileBlockSource : public BlockInputSource {
public:
    explicit FileBlockSource(const std::string& path);

private:
    FileBlockSource(const std::string& path, const std::shared_ptr<RandomAccessFile>& file);
};
