#pragma once
#include <cstdint>
#include <vector>

#include <windows.h>
#include <d3d8.h>

#include "album_viz/framework/app_timer.h"
#include "album_viz/framework/device_catalog.h"
#include "album_viz/win/scene_hooks.h"

namespace tevaro::album {

// The Direct3D 8 framework around the scene: device choice and creation on a window, the frame
// loop with lost and not-reset devices, and the hand-over of each frame to the player (Present in
// window mode, the back buffer copied into the player's DC in DC mode).
class SceneApp {
public:
    SceneApp(SceneHooks& hooks, AppTimer::Clock clock = nullptr, void* clockContext = nullptr);
    SceneApp(const SceneApp&) = delete;
    SceneApp& operator=(const SceneApp&) = delete;
    ~SceneApp() { cleanup(); }

    // Window mode: the player's window; DC mode: our hidden device window.
    void setWindow(HWND window, bool dcMode);
    // Where and at which depth the next DC-mode frame is copied.
    void setOutput(HDC dc, int bitsPerPixel, int x, int y) {
        outputDc_ = dc;
        outputBits_ = bitsPerPixel;
        originX_ = x;
        originY_ = y;
    }

    HRESULT create();
    HRESULT reset();
    // Resizes the back buffer (format from the desktop mode) and resets the device.
    HRESULT resize(int width, int height);
    void renderFrame();
    void cleanup();

    IDirect3DDevice8* device() const { return device_; }
    bool ready() const { return ready_; }
    const D3DSURFACE_DESC& backBuffer() const { return backBuffer_; }
    const DeviceCatalog& catalog() const { return catalog_; }
    D3DDEVTYPE deviceType() const { return deviceType_; }
    float appTime() const { return appTime_; }
    float elapsedTime() const { return elapsed_; }
    DWORD maxTextureWidth() const { return maxTextureWidth_; }
    // Seconds the last DC-mode frame spent reading back, converting and blitting on the processor.
    double lastDcCopySeconds() const { return dcCopySeconds_; }
    // Of that, the wait in LockRect until the device has finished the frame and handed it over.
    double lastDcLockSeconds() const { return dcLockSeconds_; }

    // Tests: forces the HAL device's creation to fail, to show the reference fallback; and puts
    // a stand-in in front of each created device, to make it answer as a lost one would.
    void failHalForTest(bool fail) { failHal_ = fail; }
    using DeviceWrap = IDirect3DDevice8* (*)(IDirect3DDevice8* created, void* context);
    void wrapDevicesForTest(DeviceWrap wrap, void* context) {
        wrap_ = wrap;
        wrapContext_ = context;
    }

private:
    HRESULT startDevice();
    HRESULT copyToDc();

    SceneHooks& hooks_;
    AppTimer timer_;
    IDirect3D8* d3d_ = nullptr;
    IDirect3DDevice8* device_ = nullptr;
    D3DPRESENT_PARAMETERS present_{};
    D3DSURFACE_DESC backBuffer_{};
    D3DCAPS8 caps_{};
    DWORD maxTextureWidth_ = 0;
    D3DDEVTYPE deviceType_ = D3DDEVTYPE_HAL;
    DeviceCatalog catalog_;
    HWND window_ = nullptr;
    bool dcMode_ = false;
    RECT windowRect_{}, clientRect_{};
    bool active_ = false, ready_ = false, failHal_ = false;
    float appTime_ = 0, elapsed_ = 0;
    HDC outputDc_ = nullptr;
    int outputBits_ = 32, originX_ = 0, originY_ = 0;
    std::vector<std::uint8_t> readback_;
    double dcCopySeconds_ = 0, dcLockSeconds_ = 0;
    DeviceWrap wrap_ = nullptr;
    void* wrapContext_ = nullptr;
};

}  // namespace tevaro::album
