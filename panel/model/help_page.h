#pragma once
// The help window's page: the pictures of template 165 and their pixel places, the window's size
// from its header and side-strip bitmaps, and the vertical scroll arithmetic. The page scrolls in
// units of 4 pixels; p is the position and m the maximum, both in those units.
#include <array>

#include "panel/model/pixel_geometry.h"

namespace tevaro::panel {

inline constexpr int HelpTemplateId = 165;
inline constexpr int HelpHeaderBitmap = 463;  // 480 x 61, at the top of the page
inline constexpr int HelpStripBitmap = 464;   // 14 x 647, three copies down the left edge

struct HelpPicture {
    int controlId;
    int bitmapId;
    PixelRect rect;  // in page pixels: the scroll position 0 client area
    int hotMode;
};

inline constexpr std::array<HelpPicture, 20> HelpPictures = {{
    {1032, 465, {20, 61, 441, 99}, 0},    {1027, 466, {20, 180, 425, 143}, 1}, {1022, 467, {20, 335, 441, 73}, 1},
    {1033, 468, {20, 430, 441, 39}, 1},   {1043, 469, {20, 490, 441, 135}, 1}, {1044, 470, {20, 645, 441, 40}, 1},
    {1045, 471, {20, 705, 441, 27}, 1},   {1046, 472, {20, 755, 441, 27}, 1},  {1049, 476, {20, 800, 441, 29}, 1},
    {1047, 473, {20, 850, 24, 8}, 0},     {1048, 474, {60, 843, 32, 21}, 0},   {1050, 477, {20, 875, 441, 58}, 1},
    {1051, 478, {20, 950, 51, 8}, 0},     {1052, 479, {80, 940, 22, 24}, 0},   {1053, 480, {20, 980, 441, 86}, 1},
    {1054, 481, {20, 1085, 420, 221}, 0}, {1055, 482, {20, 1320, 441, 28}, 0}, {1056, 483, {20, 1370, 420, 86}, 0},
    {1057, 484, {20, 1480, 441, 39}, 0},  {1058, 485, {20, 1580, 441, 43}, 0},
}};

const HelpPicture* findHelpPicture(int controlId);

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The client area the window opens with: the header's width plus the scroll bar's arrow size
// across, and the header plus 0.7 of one side strip down (the integer part of it).
PixelSize helpClientSize(PixelSize header, PixelSize strip, int verticalArrowSize);

inline constexpr int ScrollUnitPixels = 4;

// The scroll bar requests the page answers; every other request moves nothing.
enum class ScrollRequest { lineUp, lineDown, pageUp, pageDown, thumbTrack, other };

// How far a request asks to move before clamping. A page is a quarter of the maximum, at least 1.
int scrollIncrement(ScrollRequest request, int position, int maximum, int trackPosition);

struct ScrollStep {
    int position;  // the new position, within 0..maximum
    int delta;     // the units actually moved: the page moves by -4 * delta pixels
};

ScrollStep clampedScroll(int position, int maximum, int increment);

// The units the page can move: what the client area at creation (the whole page) has more than
// the current one. Never negative, so a client area taller than the page does not scroll.
int scrollMaximum(int pageHeight, int clientHeight);

// A picture that scrolls the page to a row puts that row at the top, to a whole unit.
constexpr int scrollPositionOfRow(int row) { return row / ScrollUnitPixels; }

}  // namespace tevaro::panel
