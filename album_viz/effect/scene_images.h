#pragma once
// The pictures of the scene, composed with GDI+: the sky with its band and the bar backdrops, the
// bar canvas, the four cloud images and the cover panel. GDI+ runs while this object lives.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "album_viz/model/spectrum_bars.h"
#include "album_viz/model/track_info.h"
#include "album_viz/scene/scene_element.h"

namespace tevaro::album {

enum class ImageResult { Ok, Missing, OutOfMemory };

class SceneImages {
public:
    explicit SceneImages(HMODULE resources);
    ~SceneImages();
    SceneImages(const SceneImages&) = delete;
    SceneImages& operator=(const SceneImages&) = delete;

    bool started() const { return token_ != 0; }

    // Slot 6 (top row first) with its clean copy, and the two bar backdrops kept here.
    ImageResult buildBackground(int width, int height, SceneElement& background);
    // One redraw of the bars' canvas onto the backdrop, scaled into the band rows of the
    // background. Nothing happens when a precondition fails (no backdrop, no background).
    void drawBars(const BarDrawList& cells, bool large, bool lowRate, SceneElement& background);
    // Slots 20..23: cloud picture 1 or 2, odd slots at half height, keyed by the alpha rule.
    ImageResult buildCloud(int index, SceneElement& cloud);
    // Slot 14 (variant 0) or 15 (variant 1, the frame for a hovered link), bottom row first.
    ImageResult buildCoverPanel(int variant, const TrackInfo& track, bool compact, SceneElement& panel);

private:
    struct Impl;
    HMODULE resources_;
    ULONG_PTR token_ = 0;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tevaro::album
