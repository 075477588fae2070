// The whole CoverDrift frame under Wine, as the player drives it: levels that change every frame,
// a track with art, the scene update (bars redrawn every second frame) and the Direct3D frame, in
// DC mode and in window mode at three sizes. Milliseconds per frame and the processor's share:
// the scene update (bars, by GDI+), the background copy and, in DC mode, the readback and blit.
// Best of several rounds; run by bench/album_viz/cover_drift_frame.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "album_viz/effect/album_visual.h"
#include "com_support/dib_section.h"
#include "com_support/performance_clock.h"
#include "com_support/wmp_effects.h"

namespace {

using com_support::performanceSeconds;
using namespace tevaro::album;

void busyLevels(int frame, TimedLevel& levels) {
    std::uint32_t state = 0x2545u + std::uint32_t(frame) * 7919u;
    for (int c = 0; c < 2; ++c)
        for (auto& b : levels.frequency[c]) {
            state = state * 1664525u + 1013904223u;
            b = std::uint8_t(40 + (state >> 26) * 3);
        }
}

void measure(int width, int height, bool dcMode) {
    AlbumVisual visual(GetModuleHandleW(nullptr), nullptr, nullptr);
    visual.setPresetMarker(1);
    TrackInfo& track = visual.track();
    track.apply(u"Title", u"Benchmark Track");
    track.apply(u"Author", u"Tevaro");
    track.apply(u"UserRating", u"75");
    visual.trackChanged();
    HWND view = nullptr;
    if (!dcMode)
        view = CreateWindowExW(0, L"CoverDriftBenchView", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    com_support::DibSection player(width, height);
    HDC dc = dcMode ? player.dc() : GetDC(view);
    const RECT rect{0, 0, width, height};
    auto levels = std::make_unique<TimedLevel>();
    int frame = 0;
    // Past the device's start, the background and cloud builds and the cover's zoom.
    const double warm = performanceSeconds();
    while (performanceSeconds() - warm < 6.5) {
        busyLevels(frame++, *levels);
        visual.render(levels->frequency[0], dc, rect, view);
        Sleep(0);
    }
    if (visual.app().device() == nullptr) {
        std::printf("%4d x %-4d %-6s no device\n", width, height, dcMode ? "DC" : "window");
        return;
    }
    constexpr int rounds = 5, frames = 40;
    double best = 1e9, bestUpdate = 1e9, bestCopy = 1e9, bestLock = 1e9;
    for (int r = 0; r < rounds; ++r) {
        double update = 0, copy = 0, lock = 0;
        const double t0 = performanceSeconds();
        for (int f = 0; f < frames; ++f) {
            busyLevels(frame++, *levels);
            visual.render(levels->frequency[0], dc, rect, view);
            update += visual.lastUpdateSeconds();
            // The wait in LockRect is the device finishing the frame, not the processor's work.
            const double dcCopy = dcMode ? visual.app().lastDcCopySeconds() - visual.app().lastDcLockSeconds() : 0;
            copy += visual.renderer().lastBackgroundCopySeconds() + dcCopy;
            lock += dcMode ? visual.app().lastDcLockSeconds() : 0;
        }
        best = std::min(best, (performanceSeconds() - t0) / frames);
        bestUpdate = std::min(bestUpdate, update / frames);
        bestCopy = std::min(bestCopy, copy / frames);
        bestLock = std::min(bestLock, lock / frames);
    }
    std::printf(
        "%4d x %-4d %-6s %7.2f ms per frame, processor's share %5.2f ms: scene update with bars %5.2f, "
        "copies and conversion %5.2f; waiting for the device in LockRect %5.2f\n",
        width, height, dcMode ? "DC" : "window", best * 1000, (bestUpdate + bestCopy) * 1000, bestUpdate * 1000,
        bestCopy * 1000, bestLock * 1000);
    visual.destroy();
    if (view) {
        ReleaseDC(view, dc);
        DestroyWindow(view);
    }
}

}  // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CoverDriftBenchView";
    RegisterClassW(&wc);
    for (const bool dc : {true, false})
        for (const auto& size : {std::pair{350, 320}, std::pair{800, 600}, std::pair{1280, 720}})
            measure(size.first, size.second, dc);
    return 0;
}
