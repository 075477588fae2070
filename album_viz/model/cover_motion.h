#pragma once
#include <cstdint>

namespace tevaro::album {

namespace cover_state {
constexpr std::int32_t Inactive = -1, Resting = 0, RebuildRequested = 1, Transition = 2;
}

// The cover's life between tracks: the old panel fades out for up to a second, the new one is
// built and then fades in for five seconds while zooming from 0.6 to its resting size.
class CoverMotion {
public:
    struct Frame {
        bool rebuild = false;  // build the panel (and its link-hover variant) now
        std::int32_t fade = 0;
        float zoom = 1.0f;  // p: 0.6 at the start of the zoom, 1 at rest
        bool atRest = false;
    };

    // A new track, and a changed rating (which keeps the start time).
    void newTrack(std::uint32_t nowMs) {
        state_ = cover_state::RebuildRequested;
        startMs_ = nowMs;
    }
    void ratingChanged() { state_ = cover_state::RebuildRequested; }
    // A rebuilt scene cuts a running transition short.
    void sceneRebuilt() {
        if (state_ == cover_state::Transition) state_ = cover_state::Resting;
    }

    Frame step(std::uint32_t nowMs, int renderWidth, int renderHeight, bool coverHasImage);

    std::int32_t state() const { return state_; }
    std::uint32_t startMs() const { return startMs_; }

private:
    std::int32_t state_ = cover_state::Inactive;
    std::uint32_t startMs_ = 0;
    bool compact_ = false;
};

}  // namespace tevaro::album
