#pragma once
#include <cstdint>

namespace tevaro::viz {

// Pixels are 0xTTRRGGBB: the low 24 bits are the colour, T a transparency (0 opaque, 255 invisible).
using Pixel = std::uint32_t;

constexpr Pixel ColourBits = 0x00FFFFFFu;
constexpr int transparencyOf(Pixel p) { return static_cast<int>(p >> 24); }
constexpr int redOf(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int greenOf(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int blueOf(Pixel p) { return static_cast<int>(p & 0xFF); }
constexpr Pixel withTransparency(Pixel p, int t) { return (p & ColourBits) | (static_cast<Pixel>(t & 0xFF) << 24); }
constexpr Pixel makePixel(int t, int r, int g, int b) {
    return (static_cast<Pixel>(t) << 24) | (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) |
           static_cast<Pixel>(b);
}
constexpr int clampChannel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// A picture stored bottom row first, and the edge-pass stamp word kept with it.
struct ImageView {
    Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::int32_t* stamp = nullptr;

    explicit operator bool() const { return pixels != nullptr; }
    int pixelCount() const { return width * height; }
};

// Where a composite writes: the canvas (top row first) or layer 0's picture, whose stored rows are
// addressed exactly like canvas rows.
struct Target {
    Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace tevaro::viz
