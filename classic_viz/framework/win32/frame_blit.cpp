#include "classic_viz/framework/win32/frame_blit.h"

#include <algorithm>

namespace tevaro::viz::win32 {

void drawPresentedImage(HDC target, const PresentedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.bits.empty()) return;
    BITMAPINFO info{};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = -image.height;  // rows top-down
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(image.bitCount);
    header.biCompression = BI_RGB;

    if (image.stretchToWindow) {
        StretchDIBits(target, image.originX, image.originY, image.windowWidth, image.windowHeight, 0, 0, image.width,
                      image.height, image.bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    // A canvas shrunk more than twofold comes out wider than the window (the resampler skips at most
    // one pixel per step); the player's DC beyond the rectangle is not ours, so only the window's
    // width and the row padding the device needs are drawn.
    const int width = std::min(image.width, image.windowWidth + devicePadding(image.windowWidth, image.bitCount));
    // The rows are already in the device's format: one transfer, no bitmap or memory DC per frame.
    SetDIBitsToDevice(target, image.originX, image.originY, static_cast<DWORD>(width), static_cast<DWORD>(image.height),
                      0, 0, 0, static_cast<UINT>(image.height), image.bits.data(), &info, DIB_RGB_COLORS);
}

}  // namespace tevaro::viz::win32
