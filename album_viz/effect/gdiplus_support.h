#pragma once
// GDI+ for the scene's pictures: the headers (which expect min and max in their namespace), a
// decoder for RCDATA resources, and the copy of a bitmap's pixels as 32-bit ARGB.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace tevaro::album {

// A picture from an RCDATA resource of the module (PNG, JPEG), decoded from a stream over a copy
// of the resource; null when missing or undecodable.
std::unique_ptr<Gdiplus::Bitmap> decodeResourcePicture(HMODULE module, const wchar_t* name);
// A 24-bit BITMAP resource by name.
std::unique_ptr<Gdiplus::Bitmap> loadResourceBitmap(HMODULE module, const wchar_t* name);
// A picture file by its full path; null when it has no pixels.
std::unique_ptr<Gdiplus::Bitmap> loadPictureFile(const std::u16string& path);

// A fresh 32-bit premultiplied bitmap; null when it cannot be made.
std::unique_ptr<Gdiplus::Bitmap> newCanvas(int width, int height);
// A Graphics on a canvas with the high-quality bicubic filter every scaling of the scene uses.
std::unique_ptr<Gdiplus::Graphics> bicubicGraphics(Gdiplus::Bitmap& canvas);
// A region of a picture scaled into a rectangle, bicubic where the Graphics says so.
void drawScaled(Gdiplus::Graphics& g, Gdiplus::Image& source, const Gdiplus::Rect& to, const Gdiplus::Rect& from);
// The whole bitmap scaled into a new canvas of the given size.
std::unique_ptr<Gdiplus::Bitmap> scaledCopy(Gdiplus::Bitmap& source, int width, int height);

// Rows of ARGB pixels (not premultiplied), top row first.
bool readPixels(Gdiplus::Bitmap& bitmap, std::vector<std::uint32_t>& out);

}  // namespace tevaro::album
