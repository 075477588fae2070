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

// The help page's overview names seven sections, each label scrolling its section to the top.
// The hand reaches further right than the press over the last label of the upper row.
constexpr int OverviewUpperTop = 3, OverviewUpperBottom = 14;
constexpr int OverviewLowerTop = 126, OverviewLowerBottom = 139;
constexpr std::array<PressSpot, 7> OverviewSpots = {{
    {{51, 109, OverviewUpperTop, OverviewUpperBottom}, 0, std::nullopt, 335},
    {{161, 219, OverviewUpperTop, OverviewUpperBottom}, 0, std::nullopt, 430},
    {{261, 319, OverviewUpperTop, OverviewUpperBottom}, 0, std::nullopt, 490},
    {{371, 409, OverviewUpperTop, OverviewUpperBottom}, 0, std::nullopt, 800},
    {{116, 174, OverviewLowerTop, OverviewLowerBottom}, 0, std::nullopt, 645},
    {{291, 334, OverviewLowerTop, OverviewLowerBottom}, 0, std::nullopt, 705},
    {{351, 404, OverviewLowerTop, OverviewLowerBottom}, 0, std::nullopt, 755},
}};
constexpr std::array<InclusiveRect, 7> OverviewHands = {{
    {51, 109, OverviewUpperTop, OverviewUpperBottom},
    {161, 219, OverviewUpperTop, OverviewUpperBottom},
    {261, 319, OverviewUpperTop, OverviewUpperBottom},
    {371, 429, OverviewUpperTop, OverviewUpperBottom},
    {116, 174, OverviewLowerTop, OverviewLowerBottom},
    {291, 334, OverviewLowerTop, OverviewLowerBottom},
    {351, 404, OverviewLowerTop, OverviewLowerBottom},
}};

// Every section header has a "to the top" arrow at its right end.
constexpr PressSpot ToTheTop = {{424, 439, 3, 14}, 0, std::nullopt, 0};
constexpr InclusiveRect ToTheTopHand = {426, 439, 3, 14};
constexpr std::array<PressSpot, 1> HeaderSpots = {ToTheTop};
constexpr std::array<InclusiveRect, 1> HeaderHands = {ToTheTopHand};

constexpr InclusiveRect MakerLinkRect = {141, 209, 11, 34};
constexpr std::array<PressSpot, 2> WebLinkSpots = {{ToTheTop, {MakerLinkRect, 0, LinkTarget::makerHomepage}}};
constexpr std::array<InclusiveRect, 2> WebLinkHands = {ToTheTopHand, MakerLinkRect};

constexpr InclusiveRect SpatioLinkRect = {261, 349, 26, 49};
constexpr std::array<PressSpot, 1> SpatioSpots = {{{SpatioLinkRect, 0, LinkTarget::spatioPage}}};
constexpr std::array<InclusiveRect, 1> SpatioHands = {SpatioLinkRect};

// The press reaches past the hand's right edge: the page opens under the arrow pointer too.
constexpr std::array<PressSpot, 1> PanorixSpots = {{{{301, 429, 56, 74}, 0, LinkTarget::panorixPage}}};
constexpr std::array<InclusiveRect, 1> PanorixHands = {{{301, 409, 56, 74}}};

// The about box's link labels and logos.
constexpr InclusiveRect LabelRect = {1, 149, 1, 19};
constexpr std::array<PressSpot, 1> MakerLabelSpots = {{{LabelRect, 0, LinkTarget::makerHomepage}}};
constexpr std::array<PressSpot, 1> LicensorLabelSpots = {{{LabelRect, 0, LinkTarget::licensorHomepage}}};
constexpr std::array<PressSpot, 1> DeveloperLabelSpots = {{{LabelRect, 0, LinkTarget::developerHomepage}}};
constexpr std::array<InclusiveRect, 1> LabelHands = {LabelRect};

constexpr InclusiveRect MakerLogoRect = {1, 79, 1, 79};
constexpr std::array<PressSpot, 1> MakerLogoSpots = {{{MakerLogoRect, 0, LinkTarget::makerHomepage}}};
constexpr std::array<InclusiveRect, 1> MakerLogoHands = {MakerLogoRect};
constexpr std::array<PressSpot, 1> SpatioLogoSpots = {{{{1, 109, 1, 42}, 0, LinkTarget::spatioPage}}};
constexpr std::array<InclusiveRect, 1> SpatioLogoHands = {{{1, 109, 1, 41}}};
constexpr InclusiveRect PanorixLogoRect = {1, 39, 1, 43};
constexpr std::array<PressSpot, 1> PanorixLogoSpots = {{{PanorixLogoRect, 0, LinkTarget::panorixPage}}};
constexpr std::array<InclusiveRect, 1> PanorixLogoHands = {PanorixLogoRect};

// Keyed by control id: the panel's controls, the help page's pictures and the about box's. The
// help and about pictures always draw their single bitmap.
constexpr std::array<HotRule, 18> HotRules = {{
    {InfoControlId, InfoNothingHeld, InfoNothingHeld, InfoSpots, InfoHands},
    {StatusDisplayId, 0, 0, StatusSpots, StatusHands},
    {1027, 0, 0, OverviewSpots, OverviewHands},
    {1022, 0, 0, HeaderSpots, HeaderHands},
    {1033, 0, 0, HeaderSpots, HeaderHands},
    {1043, 0, 0, HeaderSpots, HeaderHands},
    {1044, 0, 0, HeaderSpots, HeaderHands},
    {1045, 0, 0, HeaderSpots, HeaderHands},
    {1046, 0, 0, HeaderSpots, HeaderHands},
    {1049, 0, 0, WebLinkSpots, WebLinkHands},
    {1050, 0, 0, SpatioSpots, SpatioHands},
    {1053, 0, 0, PanorixSpots, PanorixHands},
    {1061, 0, 0, MakerLabelSpots, LabelHands},
    {1062, 0, 0, LicensorLabelSpots, LabelHands},
    {1063, 0, 0, DeveloperLabelSpots, LabelHands},
    {1072, 0, 0, MakerLogoSpots, MakerLogoHands},
    {1073, 0, 0, SpatioLogoSpots, SpatioLogoHands},
    {1074, 0, 0, PanorixLogoSpots, PanorixLogoHands},
}};

}  // namespace

const HotRule* findHotRule(int controlId) {
    const auto it = std::find_if(HotRules.begin(), HotRules.end(),
                                 [controlId](const HotRule& r) { return r.controlId == controlId; });
    return it == HotRules.end() ? nullptr : &*it;
}

HotPicture hotPicture(int controlId, int imageIndex, bool pressed, PixelPoint pointer) {
    const HotRule* rule = findHotRule(controlId);
    if (rule == nullptr) return {imageIndex, std::nullopt, std::nullopt};
    if (!pressed) return {imageIndex + rule->releasedOffset, std::nullopt, std::nullopt};
    for (const PressSpot& spot : rule->spots) {
        if (spot.rect.contains(pointer)) return {imageIndex + spot.pictureOffset, spot.opens, spot.scrollsToRow};
    }
    return {imageIndex + rule->pressedOffset, std::nullopt, std::nullopt};
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
