#pragma once
#include <windows.h>

namespace tevaro::album {

// The hidden top-most pop-up of class "Full_screen_class" that the device renders into in DC
// mode. It is never shown and takes no input.
class DeviceWindow {
public:
    DeviceWindow() = default;
    DeviceWindow(const DeviceWindow&) = delete;
    DeviceWindow& operator=(const DeviceWindow&) = delete;
    ~DeviceWindow() { destroy(); }

    bool create(int width, int height);
    // A new size for the same window, so that a device made on it stays valid.
    bool resize(int width, int height);
    void destroy();
    HWND handle() const { return window_; }
    int bitsPerPixel() const { return bits_; }

private:
    HWND window_ = nullptr;
    int bits_ = 0;
};

}  // namespace tevaro::album
