#pragma once
// Where the pointer is, in a window's client coordinates, as the hot rules take it.
#include <windows.h>

#include "panel/model/pixel_geometry.h"

namespace tevaro::panel {

inline PixelPoint pointerIn(HWND window) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return {p.x, p.y};
}

}  // namespace tevaro::panel
