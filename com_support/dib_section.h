#pragma once
#include <cstdint>

#include <windows.h>

namespace com_support {

// A 32-bit top-down DIB section selected into its own memory DC: GDI draws into it and the
// pixels are read straight from memory (after GdiFlush). Pictures drawn for the player, and the
// test player's and the tests' captures of what reached a DC.
class DibSection {
public:
    DibSection(int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        pixels_ = static_cast<std::uint32_t*>(bits);
        if (bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    ~DibSection() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }

    bool valid() const { return pixels_ != nullptr; }
    HDC dc() const { return dc_; }
    std::uint32_t* pixels() const { return pixels_; }
    std::uint32_t at(int x, int y) const { return pixels_[y * width_ + x]; }

private:
    int width_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

}  // namespace com_support
