#pragma once
#include <cstddef>
#include <memory>
#include <string>

// A watermark picture read, checked and compressed once, so that every output
// of a job embeds the same encoded bytes without decoding the picture again.
struct PreparedPicture {
    int width = 0, height = 0;             // pixels
    int bitsPerComponent = 8;
    const char* colorSpace = "/DeviceRGB";  // "/DeviceGray", "/DeviceRGB" or "/DeviceCMYK"
    bool jpeg = false;                      // samples are the JPEG file (DCTDecode), else PNG-predicted Flate
    bool invertedCmyk = false;              // Adobe's CMYK JPEGs store inverted samples
    std::shared_ptr<const std::string> samples;
    std::shared_ptr<const std::string> alpha;  // Flate soft-mask samples; null when every pixel is opaque
    double widthPoints = 0, heightPoints = 0;  // the size the picture's recorded resolution gives
};

// Pictures beyond this many pixels are refused: no watermark needs them, and
// decoding one would take long whatever the memory it is given.
constexpr unsigned long long MaxPicturePixels = 100ULL * 1000 * 1000;
// Nor does any watermark come as a file this large.
constexpr std::size_t MaxPictureFileBytes = std::size_t(256) << 20;

// Reads a PNG or JPEG picture, recognised by its content. Throws
// std::runtime_error "Cannot load the watermark picture "<path>": <reason>".
PreparedPicture preparePicture(const std::string& path);

// The same for the bytes of a picture; the message is the reason alone.
PreparedPicture preparePictureBytes(const std::string& bytes);

// Both decoders read the picture row by row, so memory stays bounded whatever
// size a picture declares. They throw std::runtime_error with the reason.
PreparedPicture preparePng(const std::string& bytes);
PreparedPicture prepareJpeg(const std::string& bytes);
