#include "test_pictures.h"

#include <cstdio>
#include <jpeglib.h>
#include <png.h>

#include <stdexcept>
#include <vector>

namespace pictures {

const Rgba QuadrantA{220, 30, 30, 255};
const Rgba QuadrantB{40, 200, 40, 255};
const Rgba QuadrantClear{255, 255, 255, 0};
const Rgba QuadrantBlack{0, 0, 0, 255};

Rgba quadrantPixel(int x, int y, int width, int height) {
    const bool left = x < width / 2, top = y < height / 2;
    if (top) return left ? QuadrantA : QuadrantB;
    return left ? QuadrantClear : QuadrantBlack;
}

Rgba asStored(const Rgba& colour, PngKind kind) {
    const bool grey = kind == PngKind::Grey || kind == PngKind::GreyAlpha;
    const bool alpha = kind == PngKind::Rgba || kind == PngKind::GreyAlpha || kind == PngKind::PaletteWithTransparency;
    Rgba stored = grey ? Rgba{colour.r, colour.r, colour.r, colour.a} : colour;
    if (!alpha) stored.a = 255;
    return stored;
}

namespace {

int colourType(PngKind kind) {
    switch (kind) {
    case PngKind::Rgba: return PNG_COLOR_TYPE_RGB_ALPHA;
    case PngKind::Rgb: return PNG_COLOR_TYPE_RGB;
    case PngKind::GreyAlpha: return PNG_COLOR_TYPE_GRAY_ALPHA;
    case PngKind::Grey: return PNG_COLOR_TYPE_GRAY;
    default: return PNG_COLOR_TYPE_PALETTE;
    }
}

void putSample(std::vector<png_byte>& row, int bitDepth, unsigned value8) {
    if (bitDepth == 16) {
        const unsigned value = value8 * 257;  // full 16-bit range
        row.push_back(static_cast<png_byte>(value >> 8));
        row.push_back(static_cast<png_byte>(value & 0xFF));
    } else {
        row.push_back(static_cast<png_byte>(value8));
    }
}

}  // namespace

void writePng(const std::string& path, const PictureFixture& picture) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    const bool palette = picture.kind == PngKind::Palette || picture.kind == PngKind::PaletteWithTransparency;
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, colourType(picture.kind),
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (picture.pixelsPerMetre)
        png_set_pHYs(png, info, picture.pixelsPerMetre, picture.pixelsPerMetre, PNG_RESOLUTION_METER);

    // A palette holds the distinct colours of the picture; with transparency,
    // a tRNS chunk carries their alpha.
    std::vector<Rgba> colours;
    auto paletteIndex = [&colours](const Rgba& c) {
        for (size_t i = 0; i < colours.size(); ++i)
            if (colours[i].r == c.r && colours[i].g == c.g && colours[i].b == c.b && colours[i].a == c.a) return i;
        colours.push_back(c);
        return colours.size() - 1;
    };
    std::vector<std::vector<png_byte>> rows(picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgba c = asStored(picture.pixel(x, y, picture.width, picture.height), picture.kind);
            switch (picture.kind) {
            case PngKind::Rgba:
            case PngKind::Rgb:
                for (unsigned v : {c.r, c.g, c.b}) putSample(rows[y], picture.bitDepth, v);
                if (picture.kind == PngKind::Rgba) putSample(rows[y], picture.bitDepth, c.a);
                break;
            case PngKind::GreyAlpha:
            case PngKind::Grey:
                putSample(rows[y], picture.bitDepth, c.r);
                if (picture.kind == PngKind::GreyAlpha) putSample(rows[y], picture.bitDepth, c.a);
                break;
            default: rows[y].push_back(static_cast<png_byte>(paletteIndex(c)));
            }
        }
    }
    if (palette) {
        std::vector<png_color> entries;
        std::vector<png_byte> alphas;
        for (const Rgba& c : colours) {
            entries.push_back({c.r, c.g, c.b});
            alphas.push_back(c.a);
        }
        png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
        if (picture.kind == PngKind::PaletteWithTransparency)
            png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_set_rows(png, info, pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void writeJpeg(const std::string& path, int width, int height, int components, Rgba colour, int dpi) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    info.density_unit = dpi ? 1 : 0;
    info.X_density = info.Y_density = static_cast<UINT16>(dpi ? dpi : 1);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row;
    for (int x = 0; x < width; ++x) {
        row.push_back(colour.r);
        if (components == 3) {
            row.push_back(colour.g);
            row.push_back(colour.b);
        }
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

}  // namespace pictures
