#pragma once
#include <cstdint>
#include <vector>

#include "classic_viz/framework/pixels.h"

namespace tevaro::viz {

// The canvas made ready for the device: scaled to the window, packed to the screen's depth, rows
// top-down and padded so that each row is a whole number of 32-bit words.
struct PresentedImage {
    std::vector<std::uint8_t> bits;
    int width = 0;  // pixels per row, padding included
    int height = 0;
    int bitCount = 32;  // of the pixel data; 8-bit screens get 32-bit data, stretched
    bool stretchToWindow = false;
    int windowWidth = 0, windowHeight = 0;
    int originX = 0, originY = 0;  // the rectangle's top-left: where the image's top-left goes
    int stride() const { return width * bitCount / 8; }
};

// Padding pixels that make a row of `width` pixels align on the device.
int devicePadding(int width, int screenDepth);

class Presenter {
public:
    // Fit (doubling while a factor exceeds 3.0), resample with the 8-bit accumulator, pad, cut to
    // the window height, widen to a black window-sized frame on resize, and pack.
    void present(const Pixel* canvas, int canvasWidth, int canvasHeight, int windowWidth, int windowHeight,
                 int screenDepth, bool resized, PresentedImage& out);

private:
    std::vector<int> columns_, rows_;
};

}  // namespace tevaro::viz
