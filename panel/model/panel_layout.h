#pragma once
// Where the panel's controls sit and what they draw from: the control table of template 106, the
// tooltips, the repaint groups, the host window's background and its tiling.
#include <array>
#include <span>

#include "panel/model/control_ids.h"
#include "panel/model/pixel_geometry.h"

namespace tevaro::panel {

enum class ControlRole { surroundSwitch, preset, statusDisplay, level, autoMode, infoControl };

struct ControlSpec {
    int id;
    ControlRole role;
    PixelRect rect;  // in the panel's client area; replaces the template's own rectangle
    int firstBitmap;
    int bitmapCount;  // bitmaps firstBitmap .. firstBitmap + bitmapCount - 1
    int hotMode;      // 0 plain, 1 drawn and pointed by the hot rules of its id
    int initialSelected;
    int initialImage;
};

// In the order the panel attaches and loads them.
inline constexpr std::array<ControlSpec, ControlCount> PanelControls = {{
    {SwitchId, ControlRole::surroundSwitch, {0, 0, 113, 104}, 131, 3, 0, 0, 1},
    {presetId(PresetRockPop), ControlRole::preset, {113, 79, 71, 25}, 116, 3, 0, 0, 1},
    {presetId(PresetClassic), ControlRole::preset, {184, 79, 72, 25}, 119, 3, 0, 0, 1},
    {presetId(PresetJazz), ControlRole::preset, {256, 79, 72, 25}, 122, 3, 0, 0, 1},
    {presetId(PresetMovie), ControlRole::preset, {328, 79, 71, 25}, 125, 3, 0, 0, 1},
    {presetId(PresetNeutral), ControlRole::preset, {399, 79, 73, 25}, 128, 3, 0, 0, 1},
    {StatusDisplayId, ControlRole::statusDisplay, {113, 0, 287, 79}, 332, 32, 1, 0, 0},
    {levelId(LevelMax), ControlRole::level, {400, 0, 72, 20}, 152, 4, 0, 0, 1},
    {levelId(LevelMid), ControlRole::level, {400, 20, 72, 20}, 156, 4, 0, 0, 1},
    {levelId(LevelMin), ControlRole::level, {400, 40, 72, 20}, 148, 4, 0, 0, 1},
    {AutoId, ControlRole::autoMode, {400, 60, 72, 19}, 160, 3, 0, 1, 0},
    {InfoControlId, ControlRole::infoControl, {472, 0, 93, 104}, 267, 9, 1, 0, 0},
}};

// nullptr for an id that is not one of the panel's controls.
const ControlSpec* findControl(int controlId);

// One tooltip window per row; the tooltip subclasses its control.
struct TooltipSpec {
    int controlId;
    EdgeRect rect;     // in the control's client coordinates
    const char* text;  // UTF-8
};

inline constexpr std::array<TooltipSpec, 3> PanelTooltips = {{
    {InfoControlId, {15, 17, 75, 75}, "Tevaro Player Homepage"},
    {StatusDisplayId, {20, 10, 55, 30}, "Spatio Info Homepage"},
    {StatusDisplayId, {20, 40, 55, 70}, "Panorix Info Homepage"},
}};

// What one repaint helper invalidates and updates. The Info control belongs to the preset group
// because its look follows the switch.
enum class PanelGroup { presets, levels, statusDisplay };
std::span<const int> groupMembers(PanelGroup group);

// The panel dialog inside the host window; the host's paint is the only place that sizes it.
inline constexpr PixelRect PanelPlacement = {7, 7, 565, 104};

// The 500 ms timer that follows the player's enable value.
inline constexpr unsigned PanelTimerId = 1;
inline constexpr unsigned PanelTimerPeriodMs = 500;

struct BackgroundBitmap {
    int id;
    int width;
    int height;
};

inline constexpr BackgroundBitmap EnabledBackground = {264, 251, 124};
inline constexpr BackgroundBitmap DisabledBackground = {265, 286, 116};

// Resource 265 minus the enable result.
constexpr const BackgroundBitmap& hostBackground(bool dspEnabled) {
    return dspEnabled ? EnabledBackground : DisabledBackground;
}

// The unscaled tiles that cover a client rectangle, row by row from the top.
struct TileGrid {
    int left = 0;
    int top = 0;
    int tileWidth = 1;
    int tileHeight = 1;
    int columns = 0;
    int rows = 0;

    constexpr PixelPoint origin(int row, int column) const {
        return {left + column * tileWidth, top + row * tileHeight};
    }
};

// A bitmap that reports a zero width or height is taken as 1 pixel wide or high, so the grid
// never divides by zero; an empty client rectangle has no tiles.
TileGrid tileGrid(const EdgeRect& client, int bitmapWidth, int bitmapHeight);

}  // namespace tevaro::panel
