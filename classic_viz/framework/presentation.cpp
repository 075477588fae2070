#include "classic_viz/framework/presentation.h"

#include <algorithm>
#include <cstring>

#include "classic_viz/framework/resample.h"

namespace tevaro::viz {

namespace {

constexpr int MaxFactor = 768;  // 3.0: the most one resampling pass stretches

int bytesPerPixel(int bitCount) { return bitCount / 8; }

void packRow(const Pixel* source, const int* columns, int count, int bitCount, std::uint8_t* out) {
    switch (bitCount) {
        case 16:
            for (int x = 0; x < count; ++x) {
                const Pixel p = source[columns[x]];
                const std::uint16_t v =
                    static_cast<std::uint16_t>(((p >> 9) & 0x7C00u) | ((p >> 6) & 0x3E0u) | ((p >> 3) & 0x1Fu));
                out[2 * x] = static_cast<std::uint8_t>(v);
                out[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            }
            return;
        case 24:
            for (int x = 0; x < count; ++x) {
                const Pixel p = source[columns[x]];
                out[3 * x] = static_cast<std::uint8_t>(p);
                out[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
                out[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
            }
            return;
        default:
            for (int x = 0; x < count; ++x) {
                const Pixel p = source[columns[x]] & ColourBits;
                std::memcpy(out + 4 * x, &p, 4);
            }
            return;
    }
}

}  // namespace

int devicePadding(int width, int screenDepth) {
    if (screenDepth == 8 || screenDepth == 24) return width % 4 != 0 ? 4 - width % 4 : 0;
    if (screenDepth == 16) return width % 2;
    return 0;
}

void Presenter::present(const Pixel* canvas, int canvasWidth, int canvasHeight, int windowWidth, int windowHeight,
                        int screenDepth, bool resized, PresentedImage& out) {
    out.windowWidth = windowWidth;
    out.windowHeight = windowHeight;
    out.stretchToWindow = screenDepth == 8;
    out.bitCount = (screenDepth == 16 || screenDepth == 24) ? screenDepth : 32;
    // No device is this large; the bound also keeps the 1/256 factors inside int.
    constexpr int MaxWindow = 1 << 15;
    if (canvasWidth <= 0 || canvasHeight <= 0 || windowWidth <= 0 || windowHeight <= 0 || windowWidth > MaxWindow ||
        windowHeight > MaxWindow) {
        out.width = out.height = 0;
        out.bits.clear();
        return;
    }

    // Fit: every doubling turns a pixel into a 2 x 2 block, so source index = doubled index >> doublings.
    int width = canvasWidth, height = canvasHeight, doublings = 0;
    int sx = windowWidth * 256 / width, sy = windowHeight * 256 / height;
    while ((sx > MaxFactor || sy > MaxFactor) && doublings < 16) {
        width *= 2;
        height *= 2;
        ++doublings;
        sx = windowWidth * 256 / width;
        sy = windowHeight * 256 / height;
    }
    columns_.resize(static_cast<std::size_t>(width) * 3);
    rows_.resize(static_cast<std::size_t>(height) * 3);
    const int scaledWidth = resampleAxis(width, sx, columns_.data());
    const int scaledHeight = resampleAxis(height, sy, rows_.data());
    for (int x = 0; x < scaledWidth; ++x) columns_[static_cast<std::size_t>(x)] >>= doublings;

    const int imageWidth = scaledWidth + devicePadding(scaledWidth, screenDepth);
    const int imageHeight = std::min(scaledHeight, windowHeight);
    int frameWidth = imageWidth, frameHeight = imageHeight;
    if (resized && (imageWidth != windowWidth || imageHeight != windowHeight)) {
        // Repaint stale borders: a black frame the size of the window holds the image top-left.
        const int wider = std::max(windowWidth, imageWidth);
        frameWidth = wider + devicePadding(wider, screenDepth);
        frameHeight = windowHeight;
    }
    out.width = frameWidth;
    out.height = frameHeight;
    const std::size_t stride =
        static_cast<std::size_t>(frameWidth) * static_cast<std::size_t>(bytesPerPixel(out.bitCount));
    out.bits.assign(stride * static_cast<std::size_t>(frameHeight), 0);

    for (int y = 0; y < imageHeight; ++y) {
        std::uint8_t* row = out.bits.data() + stride * static_cast<std::size_t>(y);
        const int sourceRow = rows_[static_cast<std::size_t>(y)] >> doublings;
        if (y > 0 && sourceRow == (rows_[static_cast<std::size_t>(y - 1)] >> doublings)) {
            std::memcpy(row, row - stride,
                        static_cast<std::size_t>(scaledWidth) * static_cast<std::size_t>(bytesPerPixel(out.bitCount)));
            continue;
        }
        packRow(canvas + static_cast<std::size_t>(sourceRow) * static_cast<std::size_t>(canvasWidth), columns_.data(),
                scaledWidth, out.bitCount, row);
    }
}

}  // namespace tevaro::viz
