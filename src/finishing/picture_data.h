#pragma once
#include <string>

// Samples of a decoded picture, ready to become a PDF image: colour samples
// in rows without padding, and, when the picture has any transparency, the
// alpha samples of the same size and depth.
struct DecodedPicture {
    int width = 0, height = 0;  // pixels
    int bitsPerComponent = 8;   // 8 or 16, big-endian as PDF wants them
    int colorChannels = 1;      // 1 grey, 3 RGB
    std::string colorSamples;
    std::string alphaSamples;   // empty when every pixel is opaque
    double dpiX = 96, dpiY = 96;
};

// What a JPEG's header tells; the file itself is embedded unchanged.
struct JpegHeader {
    int width = 0, height = 0;
    int components = 3;          // 1 grey, 3 RGB, 4 CMYK
    bool invertedCmyk = false;   // Adobe's CMYK JPEGs store inverted samples
    double dpiX = 96, dpiY = 96;
};

// Both throw std::runtime_error with the decoder's reason.
DecodedPicture decodePng(const std::string& bytes);
JpegHeader readJpegHeader(const std::string& bytes);
