#include "finishing/prepared_picture.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "finishing/flate_rows.h"

namespace {

// No text, profile or other ancillary chunk of a real picture comes near this.
constexpr png_alloc_size_t MaxChunkBytes = 8 << 20;
// Interlaced rows arrive in passes over the whole picture, which must then be
// held at once; larger interlaced pictures are refused.
constexpr std::size_t MaxInterlacedBytes = 64 << 20;
// Deflate cannot pack more than about 1032 bytes into one; a picture whose
// rows would need more than that of the file's size declares data it lacks.
constexpr unsigned long long MaxDeflateRatio = 1100;

// Shared with libpng's callbacks. libpng is C, so its errors come back as a
// longjmp and are turned into an exception only once back in C++ frames.
struct ReadState {
    const std::string* bytes;
    std::size_t position = 0;
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

// Splits decoded rows into colour and alpha samples and compresses both.
class RowSink {
public:
    RowSink(png_uint_32 width, int bitDepth, int channels)
        : sampleBytes_(static_cast<std::size_t>(bitDepth / 8)), channels_(channels),
          colorChannels_(channels == 2 || channels == 4 ? channels - 1 : channels), width_(width),
          color_(width * sampleBytes_ * colorChannels_, static_cast<int>(sampleBytes_) * colorChannels_) {
        if (colorChannels_ != channels_) {
            alpha_ = std::make_unique<FlateRows>(width * sampleBytes_, static_cast<int>(sampleBytes_));
            colorRow_.resize(width * sampleBytes_ * colorChannels_);
            alphaRow_.resize(width * sampleBytes_);
        }
    }

    void add(const unsigned char* row) {
        if (!alpha_) {
            color_.addRow(row);
            return;
        }
        const std::size_t colorBytes = sampleBytes_ * colorChannels_, pixelBytes = sampleBytes_ * channels_;
        for (std::size_t x = 0; x < width_; ++x) {
            const unsigned char* pixel = row + x * pixelBytes;
            std::memcpy(&colorRow_[x * colorBytes], pixel, colorBytes);
            for (std::size_t b = 0; b < sampleBytes_; ++b) {
                alphaRow_[x * sampleBytes_ + b] = pixel[colorBytes + b];
                opaque_ = opaque_ && pixel[colorBytes + b] == 0xFF;
            }
        }
        color_.addRow(colorRow_.data());
        alpha_->addRow(alphaRow_.data());
    }

    void finishInto(PreparedPicture& picture) {
        picture.colorSpace = colorChannels_ == 1 ? "/DeviceGray" : "/DeviceRGB";
        picture.samples = std::make_shared<const std::string>(color_.finish());
        if (alpha_ && !opaque_) picture.alpha = std::make_shared<const std::string>(alpha_->finish());
    }

private:
    std::size_t sampleBytes_;
    int channels_, colorChannels_;
    std::size_t width_;
    FlateRows color_;
    std::unique_ptr<FlateRows> alpha_;
    std::vector<unsigned char> colorRow_, alphaRow_;
    bool opaque_ = true;
};

struct Header {
    png_uint_32 width = 0, height = 0;
    png_uint_32 resolutionX = 0, resolutionY = 0;
    int resolutionUnit = -1;
    int bitDepth = 8, channels = 1, passes = 1;
    std::size_t rowBytes = 0;
};

// Only plain data lives in these frames, so a longjmp out of libpng skips no
// destructor; what needs one is made by the caller.
// libpng allocates a text chunk whole at the size it declares before reading
// it; a chunk declaring more bytes than the file has left is refused first.
bool chunksFitTheFile(const std::string& bytes) {
    std::size_t at = 8;
    while (bytes.size() - at >= 8) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned long long>(static_cast<unsigned char>(bytes[at + i])); };
        const unsigned long long length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (length + 12 > bytes.size() - at) return false;
        at += static_cast<std::size_t>(length) + 12;
    }
    return true;
}

bool readHeader(png_structp png, png_infop info, ReadState& state, Header& header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &state, readBytes);
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    png_set_chunk_cache_max(png, 1000);
    png_read_info(png, info);
    header.width = png_get_image_width(png, info);
    header.height = png_get_image_height(png, info);
    if (static_cast<unsigned long long>(header.width) * header.height > MaxPicturePixels)
        png_error(png, "the picture is too large");
    if (png_get_pHYs(png, info, &header.resolutionX, &header.resolutionY, &header.resolutionUnit) == 0)
        header.resolutionUnit = -1;
    // Palettes, grey below 8 bits and tRNS transparency become plain samples with alpha.
    png_set_expand(png);
    header.passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header.bitDepth = png_get_bit_depth(png, info);
    header.channels = png_get_channels(png, info);
    header.rowBytes = png_get_rowbytes(png, info);
    const unsigned long long filtered = (header.rowBytes + 1ULL) * header.height;
    if (filtered > MaxDeflateRatio * state.bytes->size()) png_error(png, "the picture lacks most of its data");
    if (header.passes > 1 && header.rowBytes * header.height > MaxInterlacedBytes)
        png_error(png, "interlaced pictures this large are not supported");
    return true;
}

bool readRow(png_structp png, unsigned char* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_row(png, row, nullptr);
    return true;
}

bool readEnd(png_structp png) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_end(png, nullptr);
    return true;
}

bool readRows(png_structp png, const Header& header, RowSink& sink) {
    if (header.passes == 1) {
        std::vector<unsigned char> row(header.rowBytes);
        for (png_uint_32 y = 0; y < header.height; ++y) {
            if (!readRow(png, row.data())) return false;
            sink.add(row.data());
        }
    } else {
        // Each pass fills in more pixels of rows that the earlier passes began.
        std::vector<unsigned char> pixels(header.rowBytes * header.height);
        for (int pass = 0; pass < header.passes; ++pass)
            for (png_uint_32 y = 0; y < header.height; ++y)
                if (!readRow(png, pixels.data() + y * header.rowBytes)) return false;
        for (png_uint_32 y = 0; y < header.height; ++y) sink.add(pixels.data() + y * header.rowBytes);
    }
    return readEnd(png);
}

class PngReader {
public:
    PngReader(const std::string& bytes) : state_{&bytes} {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state_, onError, onWarning);
        if (png_) info_ = png_create_info_struct(png_);
        if (!png_ || !info_) throw std::runtime_error("out of memory");
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    PreparedPicture read() {
        if (!chunksFitTheFile(*state_.bytes)) throw std::runtime_error("not a readable PNG picture (the file ends too early)");
        Header header;
        if (!readHeader(png_, info_, state_, header)) fail();
        RowSink sink(header.width, header.bitDepth, header.channels);
        if (!readRows(png_, header, sink)) fail();

        PreparedPicture picture;
        picture.width = static_cast<int>(header.width);
        picture.height = static_cast<int>(header.height);
        picture.bitsPerComponent = header.bitDepth;
        double dpiX = 96, dpiY = 96;
        if (header.resolutionUnit == PNG_RESOLUTION_METER && header.resolutionX > 0 && header.resolutionY > 0) {
            dpiX = dpiOf(header.resolutionX);
            dpiY = dpiOf(header.resolutionY);
        }
        picture.widthPoints = picture.width * 72.0 / dpiX;
        picture.heightPoints = picture.height * 72.0 / dpiY;
        sink.finishInto(picture);
        return picture;
    }

private:
    [[noreturn]] void fail() const {
        throw std::runtime_error(std::string("not a readable PNG picture (") + state_.error + ")");
    }

    ReadState state_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

PreparedPicture preparePng(const std::string& bytes) { return PngReader(bytes).read(); }
