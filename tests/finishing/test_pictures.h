#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Pictures written by the tests themselves, with libpng and libjpeg.
namespace pictures {

struct Rgba {
    std::uint8_t r, g, b, a;
};

// The test picture: quadrants top-left colour A, top-right colour B,
// bottom-left fully transparent (white where a format has no alpha),
// bottom-right black.
extern const Rgba QuadrantA, QuadrantB, QuadrantClear, QuadrantBlack;
Rgba quadrantPixel(int x, int y, int width, int height);

enum class PngKind { Rgba, Rgb, GreyAlpha, Grey, PaletteWithTransparency, Palette };

struct PictureFixture {
    PngKind kind = PngKind::Rgba;
    int bitDepth = 8;                 // 8 or 16 (palettes: 8)
    bool interlaced = false;
    unsigned pixelsPerMetre = 0;      // 0: no resolution recorded
    int width = 80, height = 40;
    std::function<Rgba(int, int, int, int)> pixel = quadrantPixel;
};

// A grey format keeps the red channel as its grey level.
Rgba asStored(const Rgba& colour, PngKind kind);

void writePng(const std::string& path, const PictureFixture& pngShape);

// A JPEG of one colour (grey when components is 1), with a JFIF density of
// dpi dots per inch, or none when dpi is 0.
void writeJpeg(const std::string& path, int width, int height, int components, Rgba colour, int dpi);

}  // namespace pictures
