#include "album_viz/effect/album_visual.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdlib>
#include <ctime>

#include "album_viz/effect/scene_images.h"
#include "album_viz/scene/camera.h"

namespace tevaro::album {
namespace {

// The player's own Active Setup entry: present wherever the player is installed.
constexpr wchar_t PlayerSetupKey[] =
    L"Software\\Microsoft\\Active Setup\\Installed Components\\{6BF52A52-394A-11d3-B153-00C04F79FAA6}";

}  // namespace

AlbumVisual::AlbumVisual(HMODULE resources, RatingSource rating, void* ratingContext)
    : resources_(resources), rating_(rating), ratingContext_(ratingContext), renderer_(resources), app_(renderer_) {
    rate_.rateTimeMs = timeGetTime();
}

AlbumVisual::~AlbumVisual() { destroy(); }

void AlbumVisual::initialise(HWND parent) {
    renderer_.releaseTextures();
    renderer_.elements().clear();
    renderer_.setSceneBuilt(false);
    rebuildRequested_ = false;
    builtWidth_ = builtHeight_ = 0;
    width_ = 350;
    height_ = 320;
    renderer_.setRenderSize(width_, height_);
    std::srand(unsigned(std::time(nullptr)));
    renderer_.setDcMode(parent == nullptr);
    app_.setWindow(parent, parent == nullptr);
    app_.create();
    if (parent == nullptr && deviceWindow_.create(width_, height_)) app_.setWindow(deviceWindow_.handle(), true);
    // The version value is read but the player of this effect is always taken as version 10.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, PlayerSetupKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        wchar_t version[64];
        DWORD size = sizeof version;
        RegQueryValueExW(key, L"Version", nullptr, nullptr, reinterpret_cast<BYTE*>(version), &size);
        playerVersion_ = 10.0;
        RegCloseKey(key);
    }
    renderer_.setPlayerVersion(playerVersion_);
    initialised_ = true;
}

void AlbumVisual::render(std::uint8_t* frequency, HDC dc, const RECT& rect, HWND parent) {
    const int bits = GetDeviceCaps(dc, BITSPIXEL);
    if (!initialised_) initialise(parent);
    const int w = int(rect.right - rect.left), h = int(rect.bottom - rect.top);
    if (w != width_ || h != height_) {
        width_ = w;
        height_ = h;
        renderer_.setRenderSize(w, h);
        // The device window keeps its handle and takes the new size: destroying it under a device
        // made on it leaves the device with a dead window, and the next frame crashes in it.
        if (deviceWindow_.handle() != nullptr) {
            if (parent == nullptr) {
                deviceWindow_.resize(w, h);
            } else {
                deviceWindow_.destroy();
            }
        }
        if (app_.device() != nullptr) {
            app_.resize(w, h);
            ++resets_;
        }
    }
    app_.create();
    statistics(frequency);
    if (parent != nullptr) watchPointerLeave(parent);
    LARGE_INTEGER t0, t1, frequencyHz;
    QueryPerformanceCounter(&t0);
    updateScene();
    QueryPerformanceCounter(&t1);
    QueryPerformanceFrequency(&frequencyHz);
    updateSeconds_ = double(t1.QuadPart - t0.QuadPart) / double(frequencyHz.QuadPart);
    renderer_.setBars(barsHidden_, timeGetTime() - bars_.lastActivityMs(), rate_.lowRate != 0);
    app_.setOutput(dc, bits, int(rect.left), int(rect.top));
    app_.renderFrame();
}

void AlbumVisual::statistics(std::uint8_t* frequency) {
    updateAudioFrame(audio_, frequency, rate_.lowRate != 0);
    rate_.tick(timeGetTime());
}

void AlbumVisual::watchPointerLeave(HWND parent) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, parent, 0};
    TrackMouseEvent(&track);
    MSG next;
    if (PeekMessageW(&next, parent, 0, 0, PM_NOREMOVE) && next.message == WM_MOUSELEAVE)
        pointer(PointerEvent::Leave, 0, 0);
}

void AlbumVisual::destroy() {
    discardScene();
    images_.reset();
    app_.cleanup();
    deviceWindow_.destroy();
    app_.setWindow(nullptr, true);
    // The next frame sets everything up again, so a player that goes back to DC mode after
    // window mode gets its picture.
    initialised_ = false;
}

void AlbumVisual::discardScene() {
    renderer_.releaseTextures();
    renderer_.elements().clear();
    renderer_.setSceneBuilt(false);
}

void AlbumVisual::trackChanged() {
    cover_.newTrack(timeGetTime());
    if (!firstMediaSeen_) {
        firstMediaSeen_ = true;
        rate_.restart();
    }
}

CoverArea AlbumVisual::coverArea() const {
    const SceneElement& cover = renderer_.elements().elements[slot::Cover];
    return CoverArea{cover.screenX, cover.screenY, cover.drawWidth, cover.drawHeight};
}

void AlbumVisual::pointer(PointerEvent event, int x, int y) {
    const PointerEffects effects = handlePointer(pointer_, event, x, y, coverArea(), track_.hasAlbumArt != 0);
    if (effects.openPurchaseLink) openPurchaseLink();
    renderer_.setCoverShown(pointer_.panelState != panel_state::Hidden, pointer_.linkHover != 0);
}

void AlbumVisual::openPurchaseLink() {
    // Metadata of a media file is anyone's to write: only a web address goes to the shell.
    if (!isWebAddress(track_.purchaseLink)) return;
    char link[2048];
    const int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(track_.purchaseLink.c_str()), -1,
                                      link, sizeof link, nullptr, nullptr);
    if (n <= 0) return;
    link[sizeof link - 1] = '\0';
    ShellExecuteA(nullptr, "open", link, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tevaro::album
