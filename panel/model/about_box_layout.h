#pragma once
// The about box (template 105): its link pictures and where they go, the animation and the area
// of the box that opens the developer's page, the tooltips, and the painted background.
#include <array>
#include <optional>

#include "panel/model/hot_rules.h"
#include "panel/model/panel_layout.h"

namespace tevaro::panel {

inline constexpr int AboutTemplateId = 105;
inline constexpr int AboutAnimationId = 1031;
inline constexpr int AboutAnimationClip = 490;  // AVI: 80 x 60, 8 bits, 299 frames of 50 ms
inline constexpr int AboutBackgroundBitmap = 462;
inline constexpr PixelPoint AboutBackgroundOrigin = {220, 80};

struct AboutPicture {
    int controlId;
    int bitmapId;
    int width;
    int height;
    std::optional<PixelPoint> position;  // none: it stays where the template put it
};

inline constexpr std::array<AboutPicture, 6> AboutPictures = {{
    {1061, 487, 73, 13, std::nullopt},
    {1062, 488, 88, 13, std::nullopt},
    {1063, 489, 120, 13, std::nullopt},
    {1072, 183, 79, 72, PixelPoint{30, 10}},
    {1073, 143, 106, 43, PixelPoint{20, 110}},
    {1074, 172, 40, 44, PixelPoint{50, 190}},
}};

// Control id 0 is the box itself: the tooltip over the animation belongs to the box.
inline constexpr int AboutBoxItself = 0;
inline constexpr std::array<TooltipSpec, 4> AboutTooltips = {{
    {1072, {0, 0, 90, 70}, "Vardal Acoustics Homepage"},
    {1073, {0, 0, 100, 35}, "Spatio Info Homepage"},
    {1074, {0, 0, 55, 70}, "Panorix Info Homepage"},
    {AboutBoxItself, {30, 270, 100, 320}, "Quillmark Software Homepage"},
}};

// In the box's client coordinates; a press there opens the developer's page on the button-down.
inline constexpr InclusiveRect AboutAnimationArea = {41, 109, 271, 309};

std::optional<LinkTarget> aboutBoxPress(PixelPoint client);
bool aboutBoxShowsHand(PixelPoint client);

// The band behind the logos runs from the left edge to the animation control's left plus right
// edge, the whole height of the box.
constexpr int aboutBandRight(int animationLeft, int animationRight) { return animationLeft + animationRight; }

struct RgbColour {
    int red, green, blue;
};
inline constexpr RgbColour AboutBandColour = {142, 142, 188};

}  // namespace tevaro::panel
