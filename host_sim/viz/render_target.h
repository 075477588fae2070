#pragma once
// Where host_sim lets a visualization draw: a DIB section of a chosen depth selected into a memory
// DC (what the player hands over in windowless mode), or a real top-level window's DC on the
// virtual display. Either is read back as 32-bit 0x00RRGGBB pixels, top row first.
#include <windows.h>

#include "host_sim/page_capture.h"

namespace host_sim {

class RenderTarget {
public:
    virtual ~RenderTarget() = default;
    virtual HDC dc() const = 0;
    virtual Capture capture() const = 0;
    int width() const { return width_; }
    int height() const { return height_; }

protected:
    int width_ = 0, height_ = 0;
};

class DibTarget final : public RenderTarget {
public:
    // depth 8 gets a grey palette; the DIB starts black.
    DibTarget(int width, int height, int depth);
    ~DibTarget() override;
    DibTarget(const DibTarget&) = delete;
    DibTarget& operator=(const DibTarget&) = delete;
    bool valid() const { return bitmap_ != nullptr; }
    HDC dc() const override { return dc_; }
    Capture capture() const override;
    // The DIB's own bytes (rows top-down, padded to 4 bytes), as the plug-in wrote them.
    const std::uint8_t* bits() const { return static_cast<const std::uint8_t*>(bits_); }
    int stride() const { return stride_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
    int stride_ = 0;
};

class WindowTarget final : public RenderTarget {
public:
    // A borderless top-level window whose client area is width x height at the screen's top-left.
    WindowTarget(int width, int height);
    ~WindowTarget() override;
    WindowTarget(const WindowTarget&) = delete;
    WindowTarget& operator=(const WindowTarget&) = delete;
    bool valid() const { return window_ != nullptr && dc_ != nullptr; }
    HDC dc() const override { return dc_; }
    // Through the window's own DC: under Wine the screen DC does not see top-level GDI pixels.
    Capture capture() const override;
    void pump() const;

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Pixels of any DC's area (0, 0, width, height) as 32-bit top-down 0x00RRGGBB.
Capture captureDc(HDC source, int width, int height);

}  // namespace host_sim
