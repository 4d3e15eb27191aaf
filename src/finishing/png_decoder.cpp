#include "finishing/picture_data.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

constexpr unsigned long MaxPixels = 200UL * 1000 * 1000;

// Shared with libpng's callbacks. libpng is C, so its errors come back as a
// longjmp and are turned into an exception only once back in C++ frames.
struct ReadState {
    const std::string* bytes;
    size_t position = 0;
    char error[200] = "";
};

void onError(png_structp png, png_const_charp message) {
    auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
    std::snprintf(state->error, sizeof state->error, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (state->bytes->size() - state->position < length) png_error(png, "the file ends too early");
    std::memcpy(data, state->bytes->data() + state->position, length);
    state->position += length;
}

// Writers store a resolution in dots per inch rounded to whole dots per metre;
// that rounding moves it by at most 0.0127 dpi, so such a value is taken back
// to the whole number it came from (5669 per metre is 144 dpi, not 143.99).
double dpiOf(png_uint_32 pixelsPerMetre) {
    const double dpi = pixelsPerMetre * 0.0254;
    const double whole = std::round(dpi);
    return std::fabs(dpi - whole) <= 0.0127 ? whole : dpi;
}

struct Raw {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 8, channels = 1;
    png_uint_32 resolutionX = 0, resolutionY = 0;
    int resolutionUnit = -1;
    std::vector<unsigned char> pixels;
    std::vector<png_bytep> rows;
};

// Only plain data lives in this frame, so a longjmp out of libpng skips no destructor.
bool readRaw(png_structp png, png_infop info, Raw& raw, ReadState& state) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &state, readBytes);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (static_cast<unsigned long long>(width) * height > MaxPixels) png_error(png, "the picture is too large");
    if (png_get_pHYs(png, info, &raw.resolutionX, &raw.resolutionY, &raw.resolutionUnit) == 0)
        raw.resolutionUnit = -1;
    // Palettes, grey below 8 bits and tRNS transparency become plain samples with alpha.
    png_set_expand(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    raw.width = width;
    raw.height = height;
    raw.bitDepth = png_get_bit_depth(png, info);
    raw.channels = png_get_channels(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    raw.pixels.resize(rowBytes * height);
    raw.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) raw.rows[y] = raw.pixels.data() + y * rowBytes;
    png_read_image(png, raw.rows.data());
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

DecodedPicture decodePng(const std::string& bytes) {
    ReadState state{&bytes};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    if (!png) throw std::runtime_error("out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw std::runtime_error("out of memory");
    }
    Raw raw;
    const bool read = readRaw(png, info, raw, state);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!read) throw std::runtime_error(std::string("not a readable PNG picture (") + state.error + ")");

    DecodedPicture picture;
    picture.width = static_cast<int>(raw.width);
    picture.height = static_cast<int>(raw.height);
    picture.bitsPerComponent = raw.bitDepth;
    const bool hasAlpha = raw.channels == 2 || raw.channels == 4;
    picture.colorChannels = hasAlpha ? raw.channels - 1 : raw.channels;
    if (raw.resolutionUnit == PNG_RESOLUTION_METER && raw.resolutionX > 0 && raw.resolutionY > 0) {
        picture.dpiX = dpiOf(raw.resolutionX);
        picture.dpiY = dpiOf(raw.resolutionY);
    }
    if (!hasAlpha) {
        picture.colorSamples.assign(raw.pixels.begin(), raw.pixels.end());
        return picture;
    }

    const size_t sampleBytes = raw.bitDepth / 8;
    const size_t pixelBytes = sampleBytes * raw.channels, colorBytes = sampleBytes * picture.colorChannels;
    const size_t pixels = static_cast<size_t>(raw.width) * raw.height;
    picture.colorSamples.resize(pixels * colorBytes);
    picture.alphaSamples.resize(pixels * sampleBytes);
    bool opaque = true;
    for (size_t i = 0; i < pixels; ++i) {
        const unsigned char* pixel = raw.pixels.data() + i * pixelBytes;
        std::memcpy(&picture.colorSamples[i * colorBytes], pixel, colorBytes);
        for (size_t b = 0; b < sampleBytes; ++b) {
            picture.alphaSamples[i * sampleBytes + b] = static_cast<char>(pixel[colorBytes + b]);
            opaque = opaque && pixel[colorBytes + b] == 0xFF;
        }
    }
    if (opaque) picture.alphaSamples.clear();
    return picture;
}
