#pragma once
// The three ways the panel's tables give a rectangle, kept apart so that an inclusive range is
// never read as a Win32 RECT or the other way round.
namespace tevaro::panel {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// Origin and size, as the controls are placed.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Left, top, right, bottom with right and bottom outside, as a Win32 RECT (tooltips, client areas).
struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Inclusive pixel ranges, as the hot rules state them: x 41..69 covers x = 41 and x = 69.
struct InclusiveRect {
    int xFirst = 0;
    int xLast = 0;
    int yFirst = 0;
    int yLast = 0;

    constexpr bool contains(PixelPoint p) const {
        return p.x >= xFirst && p.x <= xLast && p.y >= yFirst && p.y <= yLast;
    }
};

}  // namespace tevaro::panel
