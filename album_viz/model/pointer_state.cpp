#include "album_viz/model/pointer_state.h"

namespace tevaro::album {

bool CoverArea::contains(int px, int py) const {
    return screenX < px && px < screenX + int(0.4 * drawWidth) && screenY < py && py < screenY + int(0.4 * drawHeight);
}

PointerEffects handlePointer(PointerState& s, PointerEvent event, int px, int py, const CoverArea& cover,
                             bool hasAlbumArt) {
    PointerEffects effects;
    const bool overArt = cover.contains(px, py);
    switch (event) {
        case PointerEvent::Move:
            s.previousX = s.x;
            s.previousY = s.y;
            s.x = px;
            s.y = py;
            if (s.buttonState == 2) s.buttonState = 1;
            if (overArt && s.panelState == panel_state::Hidden) s.panelState = panel_state::HoverShown;
            if (!overArt && s.panelState == panel_state::HoverShown) s.panelState = panel_state::Hidden;
            if (hasAlbumArt) s.linkHover = overArt ? 1 : 0;
            break;
        case PointerEvent::LeftDown:
            s.x = px;
            s.y = py;
            s.buttonState = 2;
            if (overArt && hasAlbumArt && s.linkHover == 1)
                effects.openPurchaseLink = true;
            else
                s.panelState = s.panelState == panel_state::Pinned ? panel_state::Hidden : panel_state::Pinned;
            break;
        case PointerEvent::LeftUp:
            s.x = px;
            s.y = py;
            s.buttonState = 0;
            break;
        case PointerEvent::Leave:
            s.linkHover = 0;
            if (s.panelState == panel_state::HoverShown) s.panelState = panel_state::Hidden;
            break;
    }
    return effects;
}

}  // namespace tevaro::album
