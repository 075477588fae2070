#pragma once
// Where each control of the 565 × 104 panel sits, in the panel's pixels. A control's bitmaps are
// exactly its rectangle's size, and each is cut from the faceplate at this place.
namespace tevaro::assetgen::panel {

struct Rect {
    int x, y, w, h;
};

inline constexpr Rect SwitchRect{0, 0, 113, 104};
inline constexpr Rect StatusRect{113, 0, 287, 79};
inline constexpr Rect InfoRect{472, 0, 93, 104};
inline constexpr Rect AutoRect{400, 60, 72, 19};

// Presets in their order: Rock/Pop, Classic, jazz, Movie, Neutral.
inline constexpr int PresetCount = 5;
inline constexpr Rect PresetRects[PresetCount] = {
    {113, 79, 71, 25}, {184, 79, 72, 25}, {256, 79, 72, 25}, {328, 79, 71, 25}, {399, 79, 73, 25}};
inline constexpr const char* PresetLabels[PresetCount] = {"Rock/Pop", "Classic", "jazz", "Movie", "Neutral"};

// Quality levels by their index: 0 Min, 1 Max, 2 Mid. Max is on top, then Mid, then Min.
inline constexpr int LevelCount = 3;
inline constexpr Rect LevelRects[LevelCount] = {{400, 40, 72, 20}, {400, 0, 72, 20}, {400, 20, 72, 20}};
inline constexpr const char* LevelLabels[LevelCount] = {"Min", "Max", "Mid"};

// Hot spots inside the controls (inclusive pixel ranges, the control's own coordinates): the art
// puts the thing to click exactly there.
struct HotSpot {
    int left, top, right, bottom;
    double centreX() const { return (left + right + 1) / 2.0; }
    double centreY() const { return (top + bottom + 1) / 2.0; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};
inline constexpr HotSpot SwitchKnob{41, 9, 69, 37};
inline constexpr HotSpot InfoLogo{18, 16, 74, 74};
inline constexpr HotSpot InfoHelp{6, 81, 22, 97};
inline constexpr HotSpot InfoAbout{71, 81, 87, 97};
inline constexpr HotSpot StatusUpperLogo{21, 11, 54, 29};
inline constexpr HotSpot StatusLowerLogo{21, 41, 54, 69};

}  // namespace tevaro::assetgen::panel
