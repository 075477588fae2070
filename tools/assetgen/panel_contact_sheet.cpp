#include "tools/assetgen/panel_contact_sheet.h"

#include <algorithm>
#include <map>
#include <string>

#include "tools/assetgen/panel_layout.h"

namespace tevaro::assetgen::panel {

namespace {

// One state of the whole panel, as image indexes of its controls.
struct PanelState {
    const char* title;
    int switchImage;
    int presetImages[PresetCount];
    int levelImages[LevelCount];  // Min, Max, Mid
    int autoImage;
    int infoImage;
    int statusImage;
    bool dspEnabled;
};

const PanelState Looks[] = {
    {"active: jazz, Mid chosen by Auto", 0, {1, 1, 0, 1, 1}, {1, 1, 3}, 0, 2, 2 + 6 * 2 + 2, true},
    {"active: Movie, Max chosen by hand", 0, {1, 1, 1, 0, 1}, {1, 0, 1}, 1, 2, 2 + 6 * 3 + 4, true},
    {"surround off", 1, {1, 1, 1, 1, 1}, {1, 1, 1}, 1, 5, 1, true},
    {"DSP disabled", 2, {2, 2, 2, 2, 2}, {2, 2, 2}, 2, 8, 0, false},
};

// The host window's margin around the panel, where the tiled background shows.
constexpr int Margin = 7;
constexpr int Gap = 16;
constexpr int SheetWidth = 2 * (PanelWidth + 2 * Margin) + 3 * Gap;

const TextStyle Title{"DejaVu Sans", 12.0, true};
const TextStyle Caption{"DejaVu Sans", 9.0, false};
const Rgb Ink{0.88, 0.90, 0.93};

void blit(cairo_t* cr, cairo_surface_t* picture, double x, double y) {
    cairo_set_source_surface(cr, picture, x, y);
    cairo_paint(cr);
}

// The panel in one state at (x, y): its background tiled over the host area, the controls on it.
void drawAssembly(cairo_t* cr, const PanelState& look, const std::map<int, cairo_surface_t*>& byId, double x,
                  double y) {
    cairo_save(cr);
    const int hostW = PanelWidth + 2 * Margin, hostH = PanelHeight + 2 * Margin;
    cairo_rectangle(cr, x, y, hostW, hostH);
    cairo_clip(cr);
    cairo_surface_t* tile = byId.at(look.dspEnabled ? ids::EnabledBackground : ids::DisabledBackground);
    const int tw = cairo_image_surface_get_width(tile), th = cairo_image_surface_get_height(tile);
    for (int ty = 0; ty < hostH; ty += th)
        for (int tx = 0; tx < hostW; tx += tw) blit(cr, tile, x + tx, y + ty);
    const double px = x + Margin, py = y + Margin;
    auto place = [&](int id, const Rect& r) { blit(cr, byId.at(id), px + r.x, py + r.y); };
    place(ids::SwitchFirst + look.switchImage, SwitchRect);
    for (int p = 0; p < PresetCount; ++p) place(ids::PresetFirst + 3 * p + look.presetImages[p], PresetRects[p]);
    for (int l = 0; l < LevelCount; ++l) place(ids::LevelFirst[l] + look.levelImages[l], LevelRects[l]);
    place(ids::AutoFirst + look.autoImage, AutoRect);
    place(ids::InfoFirst + look.infoImage, InfoRect);
    place(ids::StatusFirst + look.statusImage, StatusRect);
    cairo_restore(cr);
}

}  // namespace

bool writeContactSheet(const char* path, const std::vector<PanelBitmap>& art) {
    std::map<int, cairo_surface_t*> byId;
    for (const PanelBitmap& b : art) byId[b.id] = b.picture.get();

    // Lay the bitmaps out in rows first, to know the sheet's height.
    struct Cell {
        const PanelBitmap* bitmap;
        double x, y;
    };
    std::vector<Cell> cells;
    const double assembliesHeight = 2 * (PanelHeight + 2 * Margin + 24) + Gap;
    double x = Gap, y = Gap + assembliesHeight + 28, rowHeight = 0;
    constexpr double CaptionHeight = 26;
    // A new row for each control.
    const int family[] = {ids::PresetFirst,       ids::SwitchFirst, ids::LevelFirst[0], ids::AutoFirst,
                          ids::EnabledBackground, ids::InfoFirst,   ids::StatusFirst,   ids::DialogEmblem};
    auto familyOf = [&](int id) {
        int f = 0;
        for (int k = 0; k < 8; ++k)
            if (id >= family[k]) f = k;
        return f;
    };
    int lastFamily = -1;
    Surface scratch = newSurface(1, 1);  // only to measure captions before the sheet exists
    Painter measure(scratch.get());
    for (const PanelBitmap& b : art) {
        const double w =
            std::max(cairo_image_surface_get_width(b.picture.get()) + 0.0, textWidth(measure, b.caption, Caption) + 4);
        const double h = cairo_image_surface_get_height(b.picture.get());
        const bool newFamily = familyOf(b.id) != lastFamily;
        if ((newFamily && lastFamily >= 0) || x + w > SheetWidth - Gap) {
            x = Gap;
            y += rowHeight + CaptionHeight + (newFamily ? 10 : 0);
            rowHeight = 0;
        }
        lastFamily = familyOf(b.id);
        cells.push_back({&b, x, y});
        x += w + 12;
        rowHeight = std::max(rowHeight, h);
    }
    const int sheetHeight = static_cast<int>(y + rowHeight + CaptionHeight + Gap);

    Surface sheet = newSurface(SheetWidth, sheetHeight);
    Painter cr(sheet.get());
    cairo_set_source_rgb(cr, 0.20, 0.21, 0.23);
    cairo_paint(cr);
    for (int k = 0; k < 4; ++k) {
        const double ax = Gap + (k % 2) * (PanelWidth + 2 * Margin + Gap);
        const double ay = Gap + (k / 2) * (PanelHeight + 2 * Margin + 24 + Gap);
        text(cr, Looks[k].title, Title, ax, ay + 12, Align::Left, Ink);
        drawAssembly(cr, Looks[k], byId, ax, ay + 20);
    }
    text(cr, "every bitmap: id, what it shows", Title, Gap, Gap + assembliesHeight + 14, Align::Left, Ink);
    for (const Cell& c : cells) {
        blit(cr, c.bitmap->picture.get(), c.x, c.y);
        const double h = cairo_image_surface_get_height(c.bitmap->picture.get());
        text(cr, std::to_string(c.bitmap->id), {"DejaVu Sans", 9.0, true}, c.x, c.y + h + 11, Align::Left, Ink);
        text(cr, c.bitmap->caption, Caption, c.x, c.y + h + 22, Align::Left, {0.65, 0.68, 0.72});
    }
    cairo_surface_flush(sheet.get());
    return cairo_surface_write_to_png(sheet.get(), path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace tevaro::assetgen::panel
