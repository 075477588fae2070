#include "album_viz/model/cover_motion.h"

#include <algorithm>

#include "album_viz/scene/camera.h"

namespace tevaro::album {

CoverMotion::Frame CoverMotion::step(std::uint32_t nowMs, int w, int h, bool coverHasImage) {
    Frame f;
    const float t1 = float(nowMs - startMs_) * 0.001f;
    const bool compact = isCompactWindow(w, h);
    bool rebuild = compact != compact_ && state_ != cover_state::Inactive;
    compact_ = compact;

    if (state_ == cover_state::RebuildRequested && !rebuild) {
        if (!coverHasImage || t1 >= 1.0f)
            rebuild = true;
        else
            f.fade = int(t1 * t1 * 255.0f);  // the old cover fades out during the first second
    }
    if (rebuild) {
        state_ = cover_state::Transition;
        startMs_ = nowMs;
        f.rebuild = true;
    }
    // Below the smaller compact size there is no room for a zoom.
    if (state_ == cover_state::Transition && w <= 162 && h < 121) state_ = cover_state::Resting;
    if (state_ == cover_state::Transition) {
        const float t2 = float(nowMs - startMs_) * 0.0002f;
        if (t2 >= 1.0f) {
            state_ = cover_state::Resting;
        } else {
            f.fade = 255 - int(t2 * t2 * 255.0f);
            f.zoom = std::min(1.0f, t2 * t2 * t2 * t2 + 0.6f);
        }
    }
    if (state_ == cover_state::Resting) {
        f.fade = 0;
        f.zoom = 1.0f;
        f.atRest = true;
    }
    f.fade = std::clamp(f.fade, 0, 255);
    return f;
}

}  // namespace tevaro::album
