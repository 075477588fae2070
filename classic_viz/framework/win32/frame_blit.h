#pragma once
#include <windows.h>

#include "classic_viz/framework/presentation.h"

namespace tevaro::viz::win32 {

// Copies a presented image to the player's device context with its top-left at the image's
// origin: through a device-dependent bitmap and BitBlt, or stretched to the window with
// StretchDIBits on an 8-bit screen. Every GDI object made here is released before returning.
void drawPresentedImage(HDC target, const PresentedImage& image);

}  // namespace tevaro::viz::win32
