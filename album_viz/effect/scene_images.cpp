#include "album_viz/effect/scene_images.h"

#include <new>
#include <string>

#include "album_viz/effect/gdiplus_support.h"
#include "album_viz/model/background_layout.h"
#include "album_viz/model/clouds.h"

namespace tevaro::album {

namespace {

constexpr std::uint32_t TextPanelBlue = 0xFF5992E1;
constexpr int PanelSide = 510;

// Names of the bar pictures by role and size (resource names are matched case-insensitively).
const wchar_t* const BarNames[2][int(BarImage::Count)] = {
    {L"DATATABLE_Button_1A", L"DATATABLE_Button_2A", L"DATATABLE_Button_3A", L"DATATABLE_Button_4A",
     L"DATATABLE_Button_5A", L"DATATABLE_Button_6A", L"DATATABLE_Button_1B", L"DATATABLE_Button_Peak",
     L"DATATABLE_Button_R1", L"DATATABLE_Button_R2", L"DATATABLE_Button_R3", L"DATATABLE_Button_R_Peak"},
    {L"DATATABLE_hd_Button_1A", L"DATATABLE_hd_Button_2A", L"DATATABLE_hd_Button_3A", L"DATATABLE_hd_Button_4A",
     L"DATATABLE_hd_Button_5A", L"DATATABLE_hd_Button_6A", L"DATATABLE_hd_Button_1B", L"DATATABLE_hd_Button_Peak",
     // The reflections have one size.
     L"DATATABLE_Button_R1", L"DATATABLE_Button_R2", L"DATATABLE_Button_R3", L"DATATABLE_Button_R_Peak"},
};

constexpr wchar_t LowRateMessage[] =
    L"The  current  frame  rate  is  inadequate  to  support  the  EQ. Please  resize  the  Visualization  window  "
    L"smaller  to  increase  the  frame  rate.";

// Copies a bitmap's pixels into a panel stored bottom row first, its top-left corner at (left, top)
// as seen on screen; pixels outside the panel are dropped.
void copyIntoPanel(const std::vector<std::uint32_t>& pixels, int w, int h, std::vector<std::uint32_t>& panel, int left,
                   int top) {
    for (int y = 0; y < h; ++y) {
        const int row = PanelSide - 1 - (top + y);
        if (row < 0 || row >= PanelSide) continue;
        for (int x = 0; x < w; ++x) {
            const int column = left + x;
            if (column < 0 || column >= PanelSide) continue;
            panel[std::size_t(row) * PanelSide + column] = pixels[std::size_t(y) * w + x];
        }
    }
}

void shadowedText(Gdiplus::Graphics& g, const std::u16string& text, const Gdiplus::Font& font, float x, float y,
                  float w, float h, const Gdiplus::StringFormat& format, const Gdiplus::Brush& shadow,
                  const Gdiplus::Brush& face) {
    if (text.empty()) return;
    const std::wstring wide(text.begin(), text.end());
    g.DrawString(wide.c_str(), -1, &font, Gdiplus::RectF(x + 2, y + 2, w, h), &format, &shadow);
    g.DrawString(wide.c_str(), -1, &font, Gdiplus::RectF(x + 1, y + 1, w, h), &format, &shadow);
    g.DrawString(wide.c_str(), -1, &font, Gdiplus::RectF(x, y, w, h), &format, &face);
}

}  // namespace

struct SceneImages::Impl {
    std::unique_ptr<Gdiplus::Bitmap> backdrop[2];  // normal and large canvas sizes
    std::unique_ptr<Gdiplus::Bitmap> bars[2][int(BarImage::Count)];
    bool barsLoaded[2] = {false, false};
};

SceneImages::SceneImages(HMODULE resources) : resources_(resources), impl_(std::make_unique<Impl>()) {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

SceneImages::~SceneImages() {
    impl_.reset();  // every GDI+ object goes before GDI+ itself
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

ImageResult SceneImages::buildBackground(int w, int h, SceneElement& background) {
    if (!started()) return ImageResult::Missing;
    std::unique_ptr<Gdiplus::Bitmap> sky = decodeResourcePicture(resources_, L"DATATABLE_Bkg");
    if (!sky) return ImageResult::Missing;
    const BackgroundLayout l = layoutBackground(int(sky->GetWidth()), int(sky->GetHeight()), w, h);
    std::unique_ptr<Gdiplus::Bitmap> canvas = newCanvas(w, h);
    if (!canvas) return ImageResult::OutOfMemory;
    {
        auto g = bicubicGraphics(*canvas);
        drawScaled(*g, *sky, Gdiplus::Rect(l.imageX, l.imageY, l.imageWidth, l.imageHeight),
                   Gdiplus::Rect(0, 0, int(sky->GetWidth()), int(sky->GetHeight())));
        const int f = l.gradientHeight;
        if (f > 0) {
            // The brushes span one row more than their rectangles, so that each ends on its colour.
            Gdiplus::LinearGradientBrush upper(Gdiplus::Rect(0, l.upperGradientY, w, f + 1), Gdiplus::Color(0x009ED1FA),
                                               Gdiplus::Color(0xFFE9F4FF), Gdiplus::LinearGradientModeVertical);
            g->FillRectangle(&upper, 0, l.upperGradientY, w, f);
            Gdiplus::LinearGradientBrush lower(Gdiplus::Rect(0, l.lowerGradientY, w, f + 1), Gdiplus::Color(0xFFE9F4FF),
                                               Gdiplus::Color(0xFFFFFFFF), Gdiplus::LinearGradientModeVertical);
            g->FillRectangle(&lower, 0, l.lowerGradientY, w, f);
        }
    }
    std::vector<std::uint32_t> pixels;
    try {
        if (!readPixels(*canvas, pixels)) return ImageResult::OutOfMemory;
    } catch (const std::bad_alloc&) {
        return ImageResult::OutOfMemory;
    }
    for (std::uint32_t& p : pixels) p |= 0xFF000000u;
    // GDI+ starts a gradient half a row early: its first row takes the row above it instead.
    for (int top : {l.upperGradientY, l.lowerGradientY}) {
        if (l.gradientHeight > 0 && top > 0 && top < h)
            std::copy_n(pixels.begin() + std::ptrdiff_t(top - 1) * w, w, pixels.begin() + std::ptrdiff_t(top) * w);
    }

    // The bar backdrops: the band's rows of the finished picture, from one row above it.
    const int band = l.bandHeight;
    std::unique_ptr<Gdiplus::Bitmap> finished = newCanvas(w, h);
    if (!finished) return ImageResult::OutOfMemory;
    {
        Gdiplus::Rect all(0, 0, w, h);
        Gdiplus::BitmapData data{};
        if (finished->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
            return ImageResult::OutOfMemory;
        for (int y = 0; y < h; ++y)
            std::copy_n(pixels.begin() + std::ptrdiff_t(y) * w, w,
                        reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(data.Scan0) +
                                                         std::ptrdiff_t(y) * data.Stride));
        finished->UnlockBits(&data);
    }
    for (int large = 0; large < 2; ++large) {
        const BarCanvasSize c = barCanvasSize(large != 0);
        impl_->backdrop[large].reset();
        if (band <= 0) continue;
        std::unique_ptr<Gdiplus::Bitmap> backdrop = newCanvas(c.width, c.height);
        if (!backdrop) return ImageResult::OutOfMemory;
        const int top = std::max(0, h - band - 1);
        drawScaled(*bicubicGraphics(*backdrop), *finished, Gdiplus::Rect(0, 0, c.width, c.height),
                   Gdiplus::Rect(0, top, w, std::min(band, h - top)));
        impl_->backdrop[large] = std::move(backdrop);
    }

    background = SceneElement{};
    background.kind = -1;
    background.width = w;
    background.height = h;
    try {
        background.cleanCopy = pixels;
        background.image = std::move(pixels);
    } catch (const std::bad_alloc&) {
        background = SceneElement{};
        return ImageResult::OutOfMemory;
    }
    background.active = 2;
    return ImageResult::Ok;
}

void SceneImages::drawBars(const BarDrawList& cells, bool large, bool lowRate, SceneElement& background) {
    const int q = large ? 1 : 0;
    const BarCanvasSize c = barCanvasSize(large);
    Gdiplus::Bitmap* backdrop = impl_->backdrop[q].get();
    const int w = background.width, h = background.height;
    const int band = barBandHeight(w, h);
    if (!started() || backdrop == nullptr || int(backdrop->GetWidth()) != c.width ||
        int(backdrop->GetHeight()) != c.height || !background.hasImage() ||
        background.cleanCopy.size() != background.image.size() || h < band || band <= 0)
        return;
    std::unique_ptr<Gdiplus::Bitmap> canvas = newCanvas(c.width, c.height);
    if (!canvas) return;
    if (!impl_->barsLoaded[q]) {
        for (int i = 0; i < int(BarImage::Count); ++i)
            impl_->bars[q][i] = loadResourceBitmap(resources_, BarNames[q][i]);
        impl_->barsLoaded[q] = true;
    }
    {
        auto g = bicubicGraphics(*canvas);
        g->SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        g->DrawImage(backdrop, Gdiplus::Rect(0, 0, c.width, c.height), 0, 0, c.width, c.height, Gdiplus::UnitPixel);
        g->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
        g->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        const int cell = 10 * c.scale;
        for (int i = 0; i < cells.count; ++i) {
            const BarCell& b = cells.cells[i];
            Gdiplus::Bitmap* picture = impl_->bars[q][int(b.image)].get();
            if (picture == nullptr) continue;
            if (b.reflection) {
                g->DrawImage(picture, Gdiplus::Rect(b.x, b.y, cell, cell), 0, 0, 10, 10, Gdiplus::UnitPixel);
            } else {
                const int pw = int(picture->GetWidth()), ph = int(picture->GetHeight());
                g->DrawImage(picture, Gdiplus::Rect(b.x, b.y, pw, ph), 0, 0, pw, ph, Gdiplus::UnitPixel);
            }
        }
        if (lowRate) {
            Gdiplus::FontFamily tahoma(L"Tahoma");
            Gdiplus::Font font(&tahoma, 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
            Gdiplus::StringFormat format;
            format.SetAlignment(Gdiplus::StringAlignmentCenter);
            format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
            format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
            Gdiplus::SolidBrush shadow(Gdiplus::Color(0xC8000000)), face(Gdiplus::Color(0xFF339CF8));
            const float rw = float(c.width - 40), rh = float(c.height / 2);
            g->DrawString(LowRateMessage, -1, &font, Gdiplus::RectF(21, 21, rw, rh), &format, &shadow);
            g->DrawString(LowRateMessage, -1, &font, Gdiplus::RectF(20, 20, rw, rh), &format, &face);
        }
    }
    std::unique_ptr<Gdiplus::Bitmap> scaled = newCanvas(w, band);
    if (!scaled) return;
    drawScaled(*bicubicGraphics(*scaled), *canvas, Gdiplus::Rect(0, 0, w, band),
               Gdiplus::Rect(2, 2, c.width - 4, c.height - 4));
    std::vector<std::uint32_t> rows;
    if (!readPixels(*scaled, rows)) return;
    std::uint32_t* target = background.image.data() + std::size_t(h - band) * w;
    for (std::size_t i = 0; i < rows.size(); ++i) target[i] = rows[i] | 0xFF000000u;
}

ImageResult SceneImages::buildCloud(int index, SceneElement& cloud) {
    if (!started()) return ImageResult::Missing;
    std::unique_ptr<Gdiplus::Bitmap> picture =
        decodeResourcePicture(resources_, cloudPicture(index) == 2 ? L"DATATABLE_Cloud_2" : L"DATATABLE_Cloud_1");
    if (!picture) return ImageResult::Missing;
    const int w = 500, h = cloudHalfHeight(index) ? 250 : 500;
    std::unique_ptr<Gdiplus::Bitmap> scaled = scaledCopy(*picture, w, h);
    std::vector<std::uint32_t> pixels;
    if (!scaled || !readPixels(*scaled, pixels)) return ImageResult::OutOfMemory;
    cloud = SceneElement{};
    try {
        cloud.image.resize(pixels.size());
    } catch (const std::bad_alloc&) {
        return ImageResult::OutOfMemory;
    }
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* from = pixels.data() + std::size_t(y) * w;
        std::uint32_t* to = cloud.image.data() + std::size_t(h - 1 - y) * w;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = from[x] & 0x00FFFFFFu;
            to[x] = rgb | (std::uint32_t(cloudAlpha(std::uint8_t(rgb >> 16))) << 24);
        }
    }
    cloud.kind = -1;
    cloud.width = w;
    cloud.height = h;
    cloud.hasAlpha = 1;
    return ImageResult::Ok;
}

ImageResult SceneImages::buildCoverPanel(int variant, const TrackInfo& track, bool compact, SceneElement& panel) {
    if (!started()) return ImageResult::Missing;
    std::vector<std::uint32_t> image;
    try {
        image.assign(std::size_t(PanelSide) * PanelSide, 0x000000FFu);
    } catch (const std::bad_alloc&) {
        return ImageResult::OutOfMemory;
    }
    std::vector<std::uint32_t> pixels;

    // The frame: a drop shadow (or its hovered variant) around the art, or an empty jewel case.
    const bool art = track.hasAlbumArt != 0;
    const wchar_t* frameName = !art           ? L"DATATABLE_No_cover"
                               : variant == 1 ? L"DATATABLE_Album_hover"
                                              : L"DATATABLE_Album_drop_shadow";
    std::unique_ptr<Gdiplus::Bitmap> frame = decodeResourcePicture(resources_, frameName);
    if (!frame) return ImageResult::Missing;
    const int fw = art ? 208 : int(frame->GetWidth()), fh = art ? 208 : int(frame->GetHeight());
    std::unique_ptr<Gdiplus::Bitmap> framed = scaledCopy(*frame, fw, fh);
    if (!framed || !readPixels(*framed, pixels)) return ImageResult::OutOfMemory;
    copyIntoPanel(pixels, fw, fh, image, 2, art ? 2 : 12);

    // The art, found by full path in the track's folder: the process's current directory is
    // shared with every thread of the player and is never changed.
    if (art) {
        std::unique_ptr<Gdiplus::Bitmap> cover = loadPictureFile(largeArtPath(track));
        if (!cover) cover = loadPictureFile(smallArtPath(track));
        if (cover) {
            std::unique_ptr<Gdiplus::Bitmap> scaled = scaledCopy(*cover, 200, 200);
            if (!scaled || !readPixels(*scaled, pixels)) return ImageResult::OutOfMemory;
            copyIntoPanel(pixels, 200, 200, image, 2, 2);
        }
    }

    if (!compact) {
        std::unique_ptr<Gdiplus::Bitmap> text = newCanvas(300, 200);
        if (!text) return ImageResult::OutOfMemory;
        {
            auto g = bicubicGraphics(*text);
            g->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
            Gdiplus::SolidBrush blue{Gdiplus::Color(TextPanelBlue)};
            g->FillRectangle(&blue, 0, 0, 300, 170);
            Gdiplus::FontFamily tahoma(L"Tahoma");
            Gdiplus::Font titleFont(&tahoma, 30, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
            Gdiplus::Font lineFont(&tahoma, 22, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
            Gdiplus::SolidBrush face(Gdiplus::Color(0xFFFFFFFF)), shadow(Gdiplus::Color(0x78001D3F));
            Gdiplus::StringFormat format;
            format.SetAlignment(Gdiplus::StringAlignmentNear);
            format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
            format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
            const bool shortTitle = isShortTitle(track.title);
            const float o = shortTitle ? -11.0f : 0.0f;
            shadowedText(*g, track.title, titleFont, 20, 10, 290, 80, format, shadow, face);
            shadowedText(*g, track.artist, lineFont, 20, 95 + o, 290, 30, format, shadow, face);
            shadowedText(*g, track.album, lineFont, 20, 120 + o, 290, 30, format, shadow, face);
            const int stars = starCount(shownRating(track));
            if (stars > 0) {
                std::unique_ptr<Gdiplus::Bitmap> star = decodeResourcePicture(resources_, L"DATATABLE_Rating");
                if (star) {
                    const int s = shortTitle ? -6 : 0;
                    const int sw = int(star->GetWidth()), sh = int(star->GetHeight());
                    for (int i = 0; i < stars; ++i)
                        g->DrawImage(star.get(), Gdiplus::Rect(21 + 24 * i, 162 + s, sw, sh), 0, 0, sw, sh,
                                     Gdiplus::UnitPixel);
                }
            }
        }
        if (!readPixels(*text, pixels)) return ImageResult::OutOfMemory;
        // The blue behind the text goes transparent; the antialiased edges keep their tint.
        for (std::size_t i = 0; i < std::size_t(300) * 170; ++i)
            if (pixels[i] == TextPanelBlue) pixels[i] = TextPanelBlue & 0x00FFFFFFu;
        copyIntoPanel(pixels, 300, 200, image, 208, 0);
    }

    panel = SceneElement{};
    panel.kind = -1;
    panel.width = PanelSide;
    panel.height = PanelSide;
    panel.hasAlpha = 1;
    panel.image = std::move(image);
    return ImageResult::Ok;
}

}  // namespace tevaro::album
