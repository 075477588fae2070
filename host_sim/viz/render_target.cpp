#include "host_sim/viz/render_target.h"

#include <cstring>

#include "com_support/dib_section.h"

namespace host_sim {

Capture captureDc(HDC source, int width, int height) {
    Capture c;
    const com_support::DibSection copy(width, height);
    if (!copy.valid()) return c;
    BitBlt(copy.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    c.width = width;
    c.height = height;
    c.pixels.assign(copy.pixels(), copy.pixels() + std::size_t(width) * std::size_t(height));
    for (auto& p : c.pixels) p &= 0xFFFFFF;
    return c;
}

DibTarget::DibTarget(int width, int height, int depth) {
    width_ = width;
    height_ = height;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(depth);
    info.header.biCompression = BI_RGB;
    if (depth == 8) {
        for (int i = 0; i < 256; ++i)
            info.colours[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        info.header.biClrUsed = 256;
    }
    bitmap_ = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_ == nullptr) return;
    stride_ = ((width * depth + 31) / 32) * 4;
    std::memset(bits_, 0, static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height));
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
}

DibTarget::~DibTarget() {
    if (dc_ != nullptr) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

Capture DibTarget::capture() const { return captureDc(dc_, width_, height_); }

namespace {

const wchar_t* const WindowClass = L"HostSimVisualization";

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_ERASEBKGND) return 1;  // the plug-in paints every pixel it owns
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

WindowTarget::WindowTarget(int width, int height) {
    width_ = width;
    height_ = height;
    WNDCLASSW c{};
    c.lpfnWndProc = windowProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = WindowClass;
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassW(&c);
    window_ = CreateWindowExW(WS_EX_TOPMOST, WindowClass, L"host_sim visualization", WS_POPUP | WS_VISIBLE, 0, 0, width,
                              height, nullptr, nullptr, c.hInstance, nullptr);
    if (window_ == nullptr) return;
    UpdateWindow(window_);
    pump();
    dc_ = GetDC(window_);
    // Start from black, as the player's visualization area does.
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

WindowTarget::~WindowTarget() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
    if (window_ != nullptr) DestroyWindow(window_);
}

void WindowTarget::pump() const {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

Capture WindowTarget::capture() const {
    GdiFlush();
    return captureDc(dc_, width_, height_);
}

}  // namespace host_sim
