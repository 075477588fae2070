#include "panel/model/hot_rules.h"

#include <algorithm>
#include <array>

namespace tevaro::panel {
namespace {

// Looks are 0, 3, 6 and each look has three pictures: help held, about held, nothing held.
constexpr int InfoHelpHeld = 0;
constexpr int InfoAboutHeld = 1;
constexpr int InfoNothingHeld = 2;

constexpr std::array<PressSpot, 2> InfoSpots = {{
    {InfoAboutButtonRect, InfoAboutHeld, std::nullopt},
    {InfoHelpButtonRect, InfoHelpHeld, std::nullopt},
}};
constexpr std::array<InclusiveRect, 1> InfoHands = {InfoLogoRect};

constexpr std::array<PressSpot, 2> StatusSpots = {{
    {StatusUpperLogoRect, 0, LinkTarget::spatioPage},
    {StatusLowerLogoRect, 0, LinkTarget::panorixPage},
}};
constexpr std::array<InclusiveRect, 2> StatusHands = {StatusUpperLogoRect, StatusLowerLogoRect};

// Keyed by control id; the help window's and about box's pictures join this table.
constexpr std::array<HotRule, 2> HotRules = {{
    {InfoControlId, InfoNothingHeld, InfoNothingHeld, InfoSpots, InfoHands},
    {StatusDisplayId, 0, 0, StatusSpots, StatusHands},
}};

}  // namespace

const HotRule* findHotRule(int controlId) {
    const auto it = std::find_if(HotRules.begin(), HotRules.end(),
                                 [controlId](const HotRule& r) { return r.controlId == controlId; });
    return it == HotRules.end() ? nullptr : &*it;
}

HotPicture hotPicture(int controlId, int imageIndex, bool pressed, PixelPoint pointer) {
    const HotRule* rule = findHotRule(controlId);
    if (rule == nullptr) return {imageIndex, std::nullopt};
    if (!pressed) return {imageIndex + rule->releasedOffset, std::nullopt};
    for (const PressSpot& spot : rule->spots) {
        if (spot.rect.contains(pointer)) return {imageIndex + spot.pictureOffset, spot.opens};
    }
    return {imageIndex + rule->pressedOffset, std::nullopt};
}

bool showsHandPointer(int controlId, PixelPoint pointer) {
    const HotRule* rule = findHotRule(controlId);
    if (rule == nullptr) return false;
    return std::any_of(rule->handRects.begin(), rule->handRects.end(),
                       [pointer](const InclusiveRect& r) { return r.contains(pointer); });
}

InfoClick infoControlClick(PixelPoint pointer) {
    if (InfoAboutButtonRect.contains(pointer)) return InfoClick::openAboutBox;
    if (InfoHelpButtonRect.contains(pointer)) return InfoClick::openHelpWindow;
    if (InfoLogoRect.contains(pointer)) return InfoClick::openProductHomepage;
    return InfoClick::nothing;
}

}  // namespace tevaro::panel
