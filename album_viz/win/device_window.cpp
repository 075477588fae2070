#include "album_viz/win/device_window.h"

namespace tevaro::album {
namespace {

constexpr wchar_t className[] = L"Full_screen_class";

HINSTANCE moduleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&moduleInstance), &module);
    return module;
}

// Nothing the hidden window receives has a visible effect.
LRESULT CALLBACK deviceWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

bool DeviceWindow::create(int width, int height) {
    if (window_) return true;
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = deviceWindowProc;
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc);  // fails harmlessly when another object registered it already
    window_ = CreateWindowExW(WS_EX_TOPMOST, className, className, WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                              wc.hInstance, nullptr);
    if (!window_) return false;
    HDC dc = GetDC(window_);
    bits_ = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window_, dc);
    ShowWindow(window_, SW_HIDE);
    return true;
}

bool DeviceWindow::resize(int width, int height) {
    return window_ != nullptr && SetWindowPos(window_, nullptr, 0, 0, width, height,
                                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW) != FALSE;
}

void DeviceWindow::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace tevaro::album
