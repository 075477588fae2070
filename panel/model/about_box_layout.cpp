#include "panel/model/about_box_layout.h"

namespace tevaro::panel {

std::optional<LinkTarget> aboutBoxPress(PixelPoint client) {
    if (AboutAnimationArea.contains(client)) return LinkTarget::developerHomepage;
    return std::nullopt;
}

bool aboutBoxShowsHand(PixelPoint client) { return AboutAnimationArea.contains(client); }

}  // namespace tevaro::panel
