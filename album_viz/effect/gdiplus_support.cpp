#include "album_viz/effect/gdiplus_support.h"

#include <cstring>
#include <string>

namespace tevaro::album {

namespace {
bool hasPixels(Gdiplus::Bitmap* b) {
    return b != nullptr && b->GetLastStatus() == Gdiplus::Ok && b->GetWidth() > 0 && b->GetHeight() > 0;
}

std::unique_ptr<Gdiplus::Bitmap> keepIfUsable(Gdiplus::Bitmap* b) {
    std::unique_ptr<Gdiplus::Bitmap> owned(b);
    return hasPixels(b) ? std::move(owned) : nullptr;
}
}  // namespace

std::unique_ptr<Gdiplus::Bitmap> decodeResourcePicture(HMODULE module, const wchar_t* name) {
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (found == nullptr) return nullptr;
    const DWORD size = SizeofResource(module, found);
    const void* bytes = LockResource(LoadResource(module, found));
    if (bytes == nullptr || size == 0) return nullptr;
    // The stream owns a movable copy: GDI+ may read from it for as long as the bitmap lives, so
    // the picture is copied out into a bitmap of its own before the stream goes.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) return nullptr;
    std::memcpy(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Bitmap> decoded = keepIfUsable(Gdiplus::Bitmap::FromStream(stream));
    std::unique_ptr<Gdiplus::Bitmap> own;
    if (decoded) {
        own = newCanvas(int(decoded->GetWidth()), int(decoded->GetHeight()));
        if (own) {
            Gdiplus::Graphics g(own.get());
            g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
            g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
            g.DrawImage(decoded.get(), Gdiplus::Rect(0, 0, int(decoded->GetWidth()), int(decoded->GetHeight())), 0, 0,
                        int(decoded->GetWidth()), int(decoded->GetHeight()), Gdiplus::UnitPixel);
        }
    }
    decoded.reset();
    stream->Release();
    return own;
}

std::unique_ptr<Gdiplus::Bitmap> loadResourceBitmap(HMODULE module, const wchar_t* name) {
    return keepIfUsable(Gdiplus::Bitmap::FromResource(module, name));
}

std::unique_ptr<Gdiplus::Bitmap> loadPictureFile(const std::u16string& path) {
    if (path.empty()) return nullptr;
    const std::wstring wide(path.begin(), path.end());
    return keepIfUsable(Gdiplus::Bitmap::FromFile(wide.c_str(), TRUE));
}

std::unique_ptr<Gdiplus::Bitmap> newCanvas(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    // GDI+ objects come from its own allocator, which answers null when it has nothing left.
    return keepIfUsable(new Gdiplus::Bitmap(width, height, PixelFormat32bppPARGB));
}

std::unique_ptr<Gdiplus::Graphics> bicubicGraphics(Gdiplus::Bitmap& canvas) {
    auto g = std::make_unique<Gdiplus::Graphics>(&canvas);
    g->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    return g;
}

void drawScaled(Gdiplus::Graphics& g, Gdiplus::Image& source, const Gdiplus::Rect& to, const Gdiplus::Rect& from) {
    // Mirrored edges, so that the filter does not pull transparent black in at the borders.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(&source, to, from.X, from.Y, from.Width, from.Height, Gdiplus::UnitPixel, &edges);
}

std::unique_ptr<Gdiplus::Bitmap> scaledCopy(Gdiplus::Bitmap& source, int width, int height) {
    std::unique_ptr<Gdiplus::Bitmap> canvas = newCanvas(width, height);
    if (!canvas) return nullptr;
    drawScaled(*bicubicGraphics(*canvas), source, Gdiplus::Rect(0, 0, width, height),
               Gdiplus::Rect(0, 0, int(source.GetWidth()), int(source.GetHeight())));
    return canvas;
}

bool readPixels(Gdiplus::Bitmap& bitmap, std::vector<std::uint32_t>& out) {
    const int w = int(bitmap.GetWidth()), h = int(bitmap.GetHeight());
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return false;
    out.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(out.data() + std::size_t(y) * w,
                    static_cast<const std::uint8_t*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride, std::size_t(w) * 4);
    bitmap.UnlockBits(&data);
    return true;
}

}  // namespace tevaro::album
