#include "album_viz/win/scene_app.h"

#include <new>

#include "album_viz/framework/frame_copy.h"
#include "album_viz/win/adapter_report_d3d.h"
#include "album_viz/win/d3d8_runtime.h"
#include "album_viz/win/d3d_surface.h"

namespace tevaro::album {
namespace {

double performanceSeconds(void*) {
    static LARGE_INTEGER frequency{};
    static const bool counter = QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
    if (!counter) return double(GetTickCount()) / 1000.0;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

SceneApp::SceneApp(SceneHooks& hooks, AppTimer::Clock clock, void* clockContext)
    : hooks_(hooks), timer_(clock ? clock : performanceSeconds, clockContext) {}

void SceneApp::setWindow(HWND window, bool dcMode) {
    window_ = window;
    dcMode_ = dcMode;
}

HRESULT SceneApp::create() {
    if (d3d_ != nullptr || window_ == nullptr) return S_OK;
    d3d_ = createDirect3D8();
    if (d3d_ == nullptr) return S_OK;
    bool found = false;
    try {
        found = enumerateDevices(reportAdapters(d3d_), DepthRequest{}, acceptEveryDevice, catalog_);
    } catch (const std::bad_alloc&) {}
    if (!found) {
        d3d_->Release();
        d3d_ = nullptr;
        return S_OK;
    }
    GetWindowRect(window_, &windowRect_);
    GetClientRect(window_, &clientRect_);
    timer_.command(AppTimer::Start);
    if (!hooks_.oneTimeInit() || FAILED(startDevice())) return S_OK;
    hooks_.clearHeights();
    if (!hooks_.sceneBuilt()) hooks_.resetCamera();
    ready_ = true;
    return S_OK;
}

HRESULT SceneApp::startDevice() {
    const DeviceRecord* record = catalog_.current();
    if (record == nullptr || record->modes.empty()) return E_FAIL;
    const AdapterRecord& adapter = catalog_.adapters[catalog_.currentAdapter];
    const ModeRecord& mode = record->modes[record->currentMode];
    present_ = D3DPRESENT_PARAMETERS{};
    present_.Windowed = record->windowed;
    present_.BackBufferCount = 1;
    present_.MultiSampleType = D3DMULTISAMPLE_NONE;
    present_.SwapEffect = D3DSWAPEFFECT_DISCARD;
    present_.EnableAutoDepthStencil = TRUE;
    present_.hDeviceWindow = window_;
    // Direct3D locks only back buffers created lockable, and both modes lock it: DC mode reads
    // every frame back, and window mode copies the background by processor when it has no
    // background texture.
    present_.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    std::uint32_t behavior = mode.behavior;
    if (record->windowed) {
        present_.BackBufferWidth = clientRect_.right - clientRect_.left;
        present_.BackBufferHeight = clientRect_.bottom - clientRect_.top;
        present_.BackBufferFormat = D3DFORMAT(adapter.desktop.format);
        // The back buffer has the desktop format, so its depth format and behaviour are the ones
        // chosen for that format.
        present_.AutoDepthStencilFormat = D3DFORMAT(record->desktopDepthStencil);
        behavior = record->desktopBehavior;
    } else {
        present_.BackBufferWidth = mode.width;
        present_.BackBufferHeight = mode.height;
        present_.BackBufferFormat = D3DFORMAT(mode.format);
        present_.AutoDepthStencilFormat = D3DFORMAT(mode.depthStencil);
    }
    deviceType_ = D3DDEVTYPE(record->type);
    HRESULT hr = failHal_ && deviceType_ == D3DDEVTYPE_HAL
                     ? D3DERR_NOTAVAILABLE
                     : d3d_->CreateDevice(catalog_.currentAdapter, deviceType_, window_,
                                          behavior | D3DCREATE_FPU_PRESERVE, &present_, &device_);
    if (SUCCEEDED(hr) && wrap_) device_ = wrap_(device_, wrapContext_);
    if (SUCCEEDED(hr)) {
        // Only our own hidden window is moved and kept hidden; the player's window stays as it is.
        if (record->windowed && dcMode_)
            SetWindowPos(window_, HWND_NOTOPMOST, windowRect_.left, windowRect_.top,
                         windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top, SWP_HIDEWINDOW);
        device_->GetDeviceCaps(&caps_);
        maxTextureWidth_ = caps_.MaxTextureWidth;
        IDirect3DSurface8* surface = nullptr;
        if (SUCCEEDED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) {
            surface->GetDesc(&backBuffer_);
            surface->Release();
        }
        if (hooks_.createDeviceResources(device_, caps_) && hooks_.restoreDeviceResources(device_, backBuffer_)) {
            active_ = true;
            return S_OK;
        }
        hooks_.loseDeviceResources();
        hooks_.destroyDeviceResources();
        device_->Release();
        device_ = nullptr;
        hr = E_FAIL;
    }
    if (deviceType_ == D3DDEVTYPE_HAL && selectReferenceFallback(catalog_)) return startDevice();
    return hr;
}

HRESULT SceneApp::reset() {
    if (device_ == nullptr) return E_FAIL;
    hooks_.loseDeviceResources();
    const HRESULT hr = device_->Reset(&present_);
    if (FAILED(hr)) return hr;
    IDirect3DSurface8* surface = nullptr;
    if (SUCCEEDED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) {
        surface->GetDesc(&backBuffer_);
        surface->Release();
    }
    return hooks_.restoreDeviceResources(device_, backBuffer_) ? S_OK : E_FAIL;
}

HRESULT SceneApp::resize(int width, int height) {
    if (device_ == nullptr) return S_OK;
    present_.BackBufferWidth = width;
    present_.BackBufferHeight = height;
    D3DDISPLAYMODE mode{};
    if (SUCCEEDED(d3d_->GetAdapterDisplayMode(catalog_.currentAdapter, &mode))) present_.BackBufferFormat = mode.Format;
    return reset();
}

void SceneApp::renderFrame() {
    if (device_ == nullptr) return;
    const HRESULT level = device_->TestCooperativeLevel();
    if (level == D3DERR_DEVICENOTRESET) {
        if (SUCCEEDED(reset())) hooks_.afterLostReset();
        return;
    }
    if (FAILED(level)) return;
    appTime_ = timer_.command(AppTimer::AppTime);
    elapsed_ = timer_.command(AppTimer::ElapsedTime);
    if (elapsed_ == 0.0f) return;
    for (DWORD stage = 0; stage < 2; ++stage) {
        device_->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device_->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    }
    device_->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    hooks_.setupCamera();
    if (!hooks_.causticPass() || !hooks_.renderScene()) return;
    if (dcMode_) {
        const double start = performanceSeconds(nullptr);
        copyToDc();
        dcCopySeconds_ = performanceSeconds(nullptr) - start;
    } else {
        device_->Present(nullptr, nullptr, nullptr, nullptr);
    }
}

HRESULT SceneApp::copyToDc() {
    if (outputDc_ == nullptr) return E_FAIL;
    IDirect3DSurface8* surface = nullptr;
    HRESULT hr = device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface);
    if (FAILED(hr)) return hr;
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    D3DLOCKED_RECT locked{};
    const double lockStart = performanceSeconds(nullptr);
    hr = surface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    dcLockSeconds_ = performanceSeconds(nullptr) - lockStart;
    if (FAILED(hr)) {
        surface->Release();
        return hr;
    }
    const int w = int(desc.Width), h = int(desc.Height);
    hr = E_FAIL;
    if (w > 0 && h > 0) {
        const std::size_t bytes = std::size_t(w) * std::size_t(h) * 4;
        bool allocated = true;
        if (readback_.size() != bytes) {
            try {
                readback_.assign(bytes, 0);
            } catch (const std::bad_alloc&) {
                readback_.clear();
                allocated = false;
                hooks_.setFault();
            }
        }
        if (allocated && backBufferToDib(static_cast<const std::uint8_t*>(locked.pBits), std::size_t(locked.Pitch),
                                         surfaceFormat(desc.Format), w, h, outputBits_, readback_.data())) {
            BITMAPINFOHEADER header{};
            header.biSize = sizeof header;
            header.biWidth = w;
            header.biHeight = -h;  // top-down rows
            header.biPlanes = 1;
            header.biBitCount = WORD(outputBits_);
            header.biCompression = BI_RGB;
            header.biSizeImage = DWORD(dibRowBytes(w, outputBits_) * std::size_t(h));
            const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(&header);
            // The rows are already in the DC's format: one transfer, with no bitmap or memory DC
            // made and destroyed on the player's thread every frame.
            if (SetDIBitsToDevice(outputDc_, originX_, originY_, DWORD(w), DWORD(h), 0, 0, 0, UINT(h), readback_.data(),
                                  info, DIB_RGB_COLORS) != 0)
                hr = S_OK;
        }
    }
    surface->UnlockRect();
    surface->Release();
    return hr;
}

void SceneApp::cleanup() {
    active_ = ready_ = false;
    if (device_) {
        hooks_.loseDeviceResources();
        hooks_.destroyDeviceResources();
        device_->Release();
        device_ = nullptr;
    }
    if (d3d_) d3d_->Release();
    d3d_ = nullptr;
}

}  // namespace tevaro::album
