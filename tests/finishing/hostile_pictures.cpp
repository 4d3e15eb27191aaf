#include "hostile_pictures.h"

#include <stdexcept>

#include <zlib.h>

namespace hostile_pictures {

namespace {

std::string bigEndian(unsigned long value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
    return bytes;
}

// A chunk whose length field says declaredLength, holding data.
std::string chunk(const std::string& type, const std::string& data, unsigned long declaredLength) {
    const std::string body = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    return bigEndian(declaredLength) + body + bigEndian(crc);
}

std::string chunk(const std::string& type, const std::string& data) { return chunk(type, data, data.size()); }

std::string header(unsigned long width, unsigned long height, int bitDepth, int colourType) {
    std::string data = bigEndian(width) + bigEndian(height);
    data += static_cast<char>(bitDepth);
    data += static_cast<char>(colourType);
    data += std::string(3, '\0');  // deflate, adaptive filtering, not interlaced
    return chunk("IHDR", data);
}

const std::string Signature("\x89PNG\r\n\x1a\n", 8);

std::size_t markerAt(const std::string& jpeg, unsigned char marker) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == marker) return i;
    throw std::runtime_error("the JPEG has no such marker");
}

std::size_t segmentLength(const std::string& jpeg, std::size_t marker) {
    return static_cast<unsigned char>(jpeg[marker + 2]) * 256u + static_cast<unsigned char>(jpeg[marker + 3]);
}

}  // namespace

std::string pngWithHugeTextChunk() {
    return Signature + header(1, 1, 8, 0) + chunk("tEXt", "", 0x7FFFFFF0).substr(0, 8);
}

std::string pngDeclaringPixelsItLacks() {
    return Signature + header(9000, 9000, 16, 6) + chunk("IDAT", "\x78\x9c") + chunk("IEND", "");
}

std::string jpegCutAfterScanHeader(const std::string& jpeg) {
    const std::size_t scan = markerAt(jpeg, 0xDA);
    return jpeg.substr(0, scan + 2 + segmentLength(jpeg, scan));
}

std::string jpegWithTallerFrame(const std::string& jpeg) {
    std::string taller = jpeg;
    const std::size_t frame = markerAt(jpeg, 0xC0);  // baseline frame: length, precision, height, width
    taller[frame + 5] = static_cast<char>(0x10);
    taller[frame + 6] = 0;
    return taller;
}

}  // namespace hostile_pictures
