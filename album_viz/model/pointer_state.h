#pragma once
#include <cstdint>

namespace tevaro::album {

namespace panel_state {
constexpr std::int32_t Hidden = 0, HoverShown = 1, Pinned = 2;
}

struct PointerState {
    std::int32_t panelState = panel_state::Pinned;
    std::int32_t linkHover = 0;    // the pointer is over the art of a track that has art
    std::int32_t buttonState = 0;  // 2 pressed, 1 dragged while pressed, 0 released
    std::int32_t x = 0, y = 0, previousX = 0, previousY = 0;
};

enum class PointerEvent { Move, LeftDown, LeftUp, Leave };

// The album art is the top-left 0.4 of the cover's draw size (the rest of the 510-pixel panel is
// the text and the transparent margin).
struct CoverArea {
    int screenX, screenY, drawWidth, drawHeight;
    bool contains(int px, int py) const;
};

struct PointerEffects {
    bool openPurchaseLink = false;
};

PointerEffects handlePointer(PointerState& state, PointerEvent event, int px, int py, const CoverArea& cover,
                             bool hasAlbumArt);

}  // namespace tevaro::album
