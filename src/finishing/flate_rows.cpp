#include "finishing/flate_rows.h"

#include <cstdlib>
#include <stdexcept>

namespace {

unsigned char paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up), toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<unsigned char>(left);
    return static_cast<unsigned char>(toUp <= toUpLeft ? up : upLeft);
}

}  // namespace

FlateRows::FlateRows(std::size_t rowBytes, int bytesPerPixel)
    : rowBytes_(rowBytes), bytesPerPixel_(static_cast<std::size_t>(bytesPerPixel)), previous_(rowBytes, 0),
      filtered_(rowBytes + 1) {
    if (deflateInit(&stream_, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::runtime_error("out of memory");
}

FlateRows::~FlateRows() { deflateEnd(&stream_); }

void FlateRows::addRow(const unsigned char* row) {
    filtered_[0] = 4;  // Paeth
    for (std::size_t i = 0; i < rowBytes_; ++i) {
        const int left = i >= bytesPerPixel_ ? row[i - bytesPerPixel_] : 0;
        const int upLeft = i >= bytesPerPixel_ ? previous_[i - bytesPerPixel_] : 0;
        filtered_[i + 1] = static_cast<unsigned char>(row[i] - paeth(left, previous_[i], upLeft));
    }
    previous_.assign(row, row + rowBytes_);
    stream_.next_in = filtered_.data();
    stream_.avail_in = static_cast<uInt>(filtered_.size());
    deflateInput(Z_NO_FLUSH);
}

std::string FlateRows::finish() {
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    deflateInput(Z_FINISH);
    return std::move(output_);
}

void FlateRows::deflateInput(int flush) {
    unsigned char block[1 << 15];
    int status;
    do {
        stream_.next_out = block;
        stream_.avail_out = sizeof block;
        status = deflate(&stream_, flush);
        if (status == Z_STREAM_ERROR) throw std::runtime_error("cannot compress the picture");
        output_.append(reinterpret_cast<char*>(block), sizeof block - stream_.avail_out);
    } while (stream_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
}
