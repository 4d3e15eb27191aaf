#pragma once
#include <string>

// Pictures made to cost a reader far more than their size, or to look
// readable at their header only.
namespace hostile_pictures {

// A PNG whose text chunk declares about 2 GB (the file is 44 bytes).
std::string pngWithHugeTextChunk();
// A PNG declaring 9000 x 9000 16-bit RGBA pixels (600 MB) and holding two bytes of them.
std::string pngDeclaringPixelsItLacks();
// A sound JPEG cut right after its scan header.
std::string jpegCutAfterScanHeader(const std::string& jpeg);
// A sound JPEG whose frame header declares many more rows than its data holds.
std::string jpegWithTallerFrame(const std::string& jpeg);

}  // namespace hostile_pictures
