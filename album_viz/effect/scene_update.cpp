// The scene update of every frame: the background and bars per window size, the clouds per
// build, the clouds' drift, the bars and the cover's motion.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>

#include "album_viz/effect/album_visual.h"
#include "album_viz/effect/scene_images.h"
#include "album_viz/scene/camera.h"

namespace tevaro::album {

namespace {
int callRand(void*) { return std::rand(); }
}  // namespace

void AlbumVisual::note(ImageResult result) {
    if (result == ImageResult::OutOfMemory) renderer_.setFault();
}

void AlbumVisual::pollRating() {
    pollCounter_ = (pollCounter_ + 1) % 16;
    std::u16string value;
    if (pollCounter_ != 0 || rating_ == nullptr || !rating_(ratingContext_, value)) return;
    // Compared after clamping, so that a value that is no digit does not rebuild the panel again
    // on every poll.
    const std::int32_t rating = singleDigitRating(value);
    if (rating == track_.userRating) return;
    cover_.ratingChanged();
    track_.userRating = rating;
}

void AlbumVisual::updateScene() {
    SceneElements& scene = renderer_.elements();
    if (!renderer_.sceneBuilt()) {
        renderer_.releaseTextures();
        scene.clear();
        rebuildRequested_ = true;
    }
    pollRating();
    if (presetMarker_ != 1) return;
    if (!images_) images_ = std::make_unique<SceneImages>(resources_);

    const bool resized = width_ != builtWidth_ || height_ != builtHeight_;
    if (resized || rebuildRequested_) {
        rebuildRequested_ = false;
        cover_.sceneRebuilt();
        rate_.restart();
        if (rebuildBackground()) {
            renderer_.makeElementTexture(slot::Background);
            drawBars();
        }
    }
    if (resized) {
        builtWidth_ = width_;
        builtHeight_ = height_;
        renderer_.setRenderSize(width_, height_);
    }
    if (renderer_.faulted()) return;
    if (!renderer_.sceneBuilt()) {
        renderer_.setSceneBuilt(true);
        bars_.reset();
        buildClouds();
        return;
    }

    const BarInputs in{width_, height_, rate_.smoothedRate, barsHidden_, timeGetTime()};
    if (bars_.update(audio_, in)) drawBars();

    const std::uint32_t now = timeGetTime();
    animateClouds(clouds_, app_.appTime(), now, callRand, nullptr);
    for (int i = 0; i < CloudSlotCount; ++i) {
        SceneElement& e = scene.elements[slot::FirstCloud + i];
        const CloudSlot& c = clouds_.slots[i];
        e.active = c.active;
        e.fade = c.fade;
        scene.motion[slot::FirstCloud + i] = ElementMotion{c.x, c.y, c.z, c.pitch};
    }
    animateCover();
}

bool AlbumVisual::rebuildBackground() {
    const ImageResult r = images_->buildBackground(width_, height_, renderer_.elements().elements[slot::Background]);
    note(r);
    return r == ImageResult::Ok;
}

void AlbumVisual::drawBars() {
    BarDrawList cells;
    bars_.advance(audio_, bars_.large(), cells);
    images_->drawBars(cells, bars_.large(), rate_.lowRate != 0, renderer_.elements().elements[slot::Background]);
}

void AlbumVisual::buildClouds() {
    SceneElements& scene = renderer_.elements();
    clouds_ = CloudField{};
    for (int i = 0; i < 4; ++i) {
        note(images_->buildCloud(i, scene.elements[slot::FirstCloud + i]));
        renderer_.makeElementTexture(slot::FirstCloud + i);
    }
}

void AlbumVisual::animateCover() {
    SceneElements& scene = renderer_.elements();
    SceneElement& cover = scene.elements[slot::Cover];
    const CoverMotion::Frame f = cover_.step(timeGetTime(), width_, height_, cover.hasImage());
    if (f.rebuild) {
        const bool compact = isCompactWindow(width_, height_);
        note(images_->buildCoverPanel(0, track_, compact, cover));
        renderer_.makeElementTexture(slot::Cover);
        if (track_.hasAlbumArt) {
            note(images_->buildCoverPanel(1, track_, compact, scene.elements[slot::CoverLinkHover]));
            renderer_.makeElementTexture(slot::CoverLinkHover);
        }
        scene.motion[slot::Cover] = ElementMotion{};
        const CoverLayout one = layoutCoverAt(1.0f, 1), start = layoutCoverAt(0.6f, 3);
        coverAtOne_ = {one.x, one.y, one.z, StandUpPitch};
        coverAtSixTenths_ = {start.x, start.y, start.z, StandUpPitch};
        scene.motion[slot::Cover] = coverAtSixTenths_;
    }
    cover.fade = f.fade;
    scene.elements[slot::CoverLinkHover].fade = f.fade;
    if (cover_.state() == cover_state::Transition) {
        // p runs from 0.6 to 1: the cover zooms out of its start position into its rest.
        const float k = 1.0f - f.zoom;
        ElementMotion& m = scene.motion[slot::Cover];
        m.x = coverAtOne_.x - k * (coverAtOne_.x - coverAtSixTenths_.x);
        m.y = coverAtOne_.y - k * (coverAtOne_.y - coverAtSixTenths_.y);
        m.z = coverAtOne_.z - k * (coverAtOne_.z - coverAtSixTenths_.z);
        m.pitch = StandUpPitch;
    } else if (f.atRest) {
        const CoverLayout rest = layoutCoverAt(1.0f, 1);
        scene.motion[slot::Cover] = ElementMotion{rest.x, rest.y, rest.z, StandUpPitch};
    }
    // Where the cover shows on screen this frame: the pointer's hit test and the next layout's
    // "current draw height" read it.
    if (cover.hasImage()) {
        const ElementMotion& m = scene.motion[slot::Cover];
        const Placement p = placeElement(renderer_.referenceDistance(), renderer_.elementTextureSize(), width_, height_,
                                         cover.width, cover.height, m.x, m.y, m.z);
        cover.screenX = p.screenX;
        cover.screenY = p.screenY;
        cover.drawWidth = p.drawWidth;
        cover.drawHeight = p.drawHeight;
    }
}

CoverLayout AlbumVisual::layoutCoverAt(float scale, int marginFactor) {
    const SceneElement& cover = renderer_.elements().elements[slot::Cover];
    CoverLayoutInput in{};
    in.renderWidth = width_;
    in.renderHeight = height_;
    in.scale = scale;
    in.marginFactor = marginFactor;
    in.distance = renderer_.referenceDistance();
    in.textureSize = renderer_.elementTextureSize();
    in.imageWidth = cover.hasImage() ? cover.width : CoverPanelWidth;
    in.imageHeight = cover.hasImage() ? cover.height : CoverPanelWidth;
    in.hasAlbumArt = track_.hasAlbumArt != 0;
    in.currentDrawHeight = cover.drawHeight;  // 0 for a panel just built
    const CoverLayout out = layoutCover(in);
    if (scale == 1.0f) barsHidden_ = out.barsHidden;
    return out;
}

}  // namespace tevaro::album
