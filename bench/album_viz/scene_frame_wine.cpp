// One CoverDrift frame on the bed's Direct3D under Wine, in window mode and in DC mode, at the
// default and a large window: milliseconds per frame and, in DC mode, the processor's share
// (background into the back buffer, readback and conversion into DIB rows, the blit). Best of
// several rounds; run by bench/album_viz/scene_frame.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "album_viz/win/device_window.h"
#include "album_viz/win/scene_app.h"
#include "album_viz/win/scene_renderer.h"
#include "com_support/dib_section.h"
#include "com_support/performance_clock.h"

namespace {

using com_support::performanceSeconds;
using namespace tevaro::album;

LRESULT CALLBACK viewProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_ERASEBKGND) return 1;
    return DefWindowProcW(w, m, wp, lp);
}

double bareReadbackMs(IDirect3DDevice8* device) {
    double best = 1e9;
    for (int i = 0; i < 40; ++i) {
        IDirect3DSurface8* surface = nullptr;
        if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return 0;
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u | std::uint32_t(i), 1.0f, 0);
        D3DLOCKED_RECT locked{};
        const double t0 = performanceSeconds();
        if (SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            best = std::min(best, performanceSeconds() - t0);
            surface->UnlockRect();
        }
        surface->Release();
    }
    return best * 1000;
}

void measure(int width, int height, bool dcMode) {
    SceneRenderer renderer(GetModuleHandleW(nullptr));
    SceneApp app(renderer);
    renderer.setRenderSize(width, height);
    renderer.setDcMode(dcMode);
    SceneElement& bg = renderer.elements().elements[slot::Background];
    bg.kind = -1;
    bg.width = width;
    bg.height = height;
    bg.image.resize(std::size_t(width) * height);
    for (std::size_t i = 0; i < bg.image.size(); ++i) bg.image[i] = 0xFF000000u | std::uint32_t(i * 2654435761u);
    bg.cleanCopy = bg.image;
    SceneElement& cover = renderer.elements().elements[slot::Cover];
    cover.kind = -1;
    cover.width = cover.height = 510;
    cover.image.assign(510 * 510, 0xFFFF8040);
    renderer.elements().motion[slot::Cover] = {0, 0, 0, 1.567f};

    DeviceWindow deviceWindow;
    HWND view = nullptr;
    if (dcMode) {
        deviceWindow.create(width, height);
        app.setWindow(deviceWindow.handle(), true);
    } else {
        view = CreateWindowExW(0, L"CoverDriftBenchView", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        app.setWindow(view, false);
    }
    app.create();
    if (!app.device()) {
        std::printf("%4d x %-4d %-6s no device\n", width, height, dcMode ? "DC" : "window");
        return;
    }
    if (!dcMode) renderer.makeElementTexture(slot::Background);
    renderer.makeElementTexture(slot::Cover);
    com_support::DibSection player(width, height);
    app.setOutput(player.dc(), 32, 0, 0);
    constexpr int rounds = 5, frames = 20;
    double best = 1e9, bestShare = 1e9, bestBackground = 1e9, bestLock = 1e9;
    for (int r = 0; r < rounds; ++r) {
        double share = 0, background = 0, lock = 0;
        const double t0 = performanceSeconds();
        for (int f = 0; f < frames; ++f) {
            Sleep(0);  // the frame clock must move between frames
            app.renderFrame();
            share += app.lastDcCopySeconds() + renderer.lastBackgroundCopySeconds();
            background += renderer.lastBackgroundCopySeconds();
            lock += app.lastDcLockSeconds();
        }
        best = std::min(best, (performanceSeconds() - t0) / frames);
        bestShare = std::min(bestShare, share / frames);
        bestBackground = std::min(bestBackground, background / frames);
        bestLock = std::min(bestLock, lock / frames);
    }
    std::printf("%4d x %-4d %-6s %7.2f ms per frame", width, height, dcMode ? "DC" : "window", best * 1000);
    if (dcMode) {
        std::printf(
            ", processor's share %5.2f ms: background copy %5.2f, wait in LockRect %5.2f, conversion and blit %5.2f",
            bestShare * 1000, bestBackground * 1000, bestLock * 1000, (bestShare - bestBackground - bestLock) * 1000);
        // The same lock after a frame that is only cleared: the readback itself, with next to no
        // drawing to wait for. The rest of the wait above is the device rasterising the scene.
        std::printf("; LockRect after a bare clear %5.2f", bareReadbackMs(app.device()));
    }
    std::printf("\n");
    app.cleanup();
    if (view) DestroyWindow(view);
}

}  // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = viewProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CoverDriftBenchView";
    RegisterClassW(&wc);
    for (const bool dc : {false, true})
        for (const auto& size : {std::pair{350, 320}, std::pair{1280, 720}}) measure(size.first, size.second, dc);
    return 0;
}
