#pragma once
#include <cstdint>
#include <vector>

namespace tevaro::album {

// Slots of the element table that the scene fills; the others stay empty.
namespace slot {
constexpr int BarBackdrop = 2, Background = 6, Cover = 14, CoverLinkHover = 15, FirstCloud = 20, LastCloud = 27;
constexpr int Count = 40;
}  // namespace slot

struct SceneElement {
    std::int32_t kind = 0;    // −1 when the element owns a pixel image
    std::int32_t active = 0;  // clouds: alive; background: 2 once built
    std::int32_t screenX = 0, screenY = 0;
    std::int32_t drawWidth = 0, drawHeight = 0;
    std::vector<std::uint32_t> image;  // ARGB; bottom row first, except the background (top row first)
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> cleanCopy;  // background only: the image before any bars were drawn
    std::int32_t fade = 0;                 // subtracted from the texture alpha: 0 visible, 255 invisible
    std::int32_t hasAlpha = 0;

    bool hasImage() const { return !image.empty() && width > 0 && height > 0; }
};

// Position in world units and pitch (about x, radians); yaw and roll stay 0.
struct ElementMotion {
    float x = 0, y = 0, z = 0, pitch = 0;
};

struct SceneElements {
    SceneElement elements[slot::Count];
    ElementMotion motion[slot::Count];

    void clear() {
        for (SceneElement& e : elements) e = SceneElement{};
        for (ElementMotion& m : motion) m = ElementMotion{};
    }
};

}  // namespace tevaro::album
