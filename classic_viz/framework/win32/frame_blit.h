#pragma once
#include <windows.h>

#include "classic_viz/framework/presentation.h"

namespace tevaro::viz::win32 {

// Copies a presented image to the player's device context with its top-left at the image's
// origin: its rows, already in the screen's format, in one SetDIBitsToDevice (no bitmap and no
// memory DC per frame), or stretched to the window with StretchDIBits on an 8-bit screen.
void drawPresentedImage(HDC target, const PresentedImage& image);

}  // namespace tevaro::viz::win32
