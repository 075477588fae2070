#pragma once
// Everything CoverDrift draws, behind the COM face: the first-frame set-up, the frame statistics,
// the scene update and the Direct3D frame, the track and the pointer.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "album_viz/model/audio_statistics.h"
#include "album_viz/model/clouds.h"
#include "album_viz/model/cover_motion.h"
#include "album_viz/model/pointer_state.h"
#include "album_viz/model/spectrum_bars.h"
#include "album_viz/model/track_info.h"
#include "album_viz/scene/camera.h"
#include "album_viz/win/device_window.h"
#include "album_viz/win/scene_app.h"
#include "album_viz/win/scene_renderer.h"

namespace tevaro::album {

class SceneImages;
enum class ImageResult;

class AlbumVisual {
public:
    // The player's current rating of the track, read again every 16 frames; false when there is
    // no track to ask.
    using RatingSource = bool (*)(void* context, std::u16string& value);

    AlbumVisual(HMODULE resources, RatingSource rating, void* ratingContext);
    ~AlbumVisual();
    AlbumVisual(const AlbumVisual&) = delete;
    AlbumVisual& operator=(const AlbumVisual&) = delete;

    // One frame in either mode: parent is the player's window in window mode, null in DC mode.
    // frequency: both channels of the player's levels, reduced in place.
    void render(std::uint8_t* frequency, HDC dc, const RECT& rect, HWND parent);
    // Releases the scene, GDI+, the device and the device window; the next frame starts afresh.
    void destroy();
    // A preset index the effect does not have: the scene's buffers go, the next frame rebuilds.
    void discardScene();
    void setPresetMarker(std::int32_t marker) { presetMarker_ = marker; }

    TrackInfo& track() { return track_; }
    // After a new track's attributes are read.
    void trackChanged();
    // A pointer message of the visualization area (client coordinates), and the pointer leaving.
    void pointer(PointerEvent event, int x, int y);

    // Read by tests through the exported state, and by the benchmark.
    const AudioFrame& audio() const { return audio_; }
    const FrameRateMeter& rate() const { return rate_; }
    const PointerState& pointerState() const { return pointer_; }
    const SceneApp& app() const { return app_; }
    const SceneRenderer& renderer() const { return renderer_; }
    int deviceResets() const { return resets_; }
    // Seconds of the last frame spent in the scene update (bars and images by processor).
    double lastUpdateSeconds() const { return updateSeconds_; }

private:
    void initialise(HWND parent);
    void statistics(std::uint8_t* frequency);
    void watchPointerLeave(HWND parent);
    void updateScene();
    bool rebuildBackground();
    void drawBars();
    void animateCover();
    CoverLayout layoutCoverAt(float scale, int marginFactor);
    void openPurchaseLink();
    void pollRating();
    void buildClouds();
    void note(ImageResult result);
    CoverArea coverArea() const;

    HMODULE resources_;
    RatingSource rating_;
    void* ratingContext_;
    SceneRenderer renderer_;
    SceneApp app_;
    DeviceWindow deviceWindow_;
    std::unique_ptr<SceneImages> images_;

    bool initialised_ = false;
    int width_ = 350, height_ = 320;
    double playerVersion_ = 10.0;
    std::int32_t presetMarker_ = 0;
    AudioFrame audio_;
    FrameRateMeter rate_;
    TrackInfo track_;
    bool firstMediaSeen_ = false;
    int pollCounter_ = 0;
    PointerState pointer_;
    SpectrumBars bars_;
    CloudField clouds_;
    CoverMotion cover_;
    // Scene build state.
    int builtWidth_ = 0, builtHeight_ = 0;
    bool rebuildRequested_ = false, barsHidden_ = false;
    ElementMotion coverAtOne_{}, coverAtSixTenths_{};
    int resets_ = 0;
    double updateSeconds_ = 0;
};

}  // namespace tevaro::album
