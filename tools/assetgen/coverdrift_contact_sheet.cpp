#include "tools/assetgen/coverdrift_contact_sheet.h"

#include <map>
#include <string>

namespace tevaro::assetgen::coverdrift {

namespace {

constexpr int SheetWidth = 1300, SheetHeight = 1640;
const panel::TextStyle Label{"DejaVu Sans", 11.0, false};
const panel::TextStyle Heading{"DejaVu Sans", 13.0, true};
const Rgb Ink{0.88, 0.90, 0.93};

using ByName = std::map<std::string, cairo_surface_t*>;

void place(cairo_t* cr, cairo_surface_t* picture, double x, double y, double scale, bool smooth = true) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

// A cloud picture as the effect sees it: its colours with the opacity its red channel gives.
Surface cloudLayer(cairo_surface_t* cloud) {
    const int w = cairo_image_surface_get_width(cloud), h = cairo_image_surface_get_height(cloud);
    Surface s = alphaSurface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb c;
            double a;
            getPixel(cloud, x, y, c, a);
            putPixel(s.get(), x, y, c, cloudOpacity(c.r * 255.0));
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

void checkerboard(cairo_t* cr, double x, double y, double w, double h) {
    for (int j = 0; j * 10 < h; ++j)
        for (int i = 0; i * 10 < w; ++i) {
            const double v = (i + j) % 2 ? 0.42 : 0.30;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_rectangle(cr, x + i * 10, y + j * 10, std::min(10.0, w - i * 10), std::min(10.0, h - j * 10));
            cairo_fill(cr);
        }
}

// The 600 × 122 bar canvas: the band behind, then every bar with `level(b)` as the effect draws it.
template <class Level>
Surface barCanvas(const ByName& by, Level level) {
    Surface s = opaqueSurface(600, 122);
    Painter cr(s.get());
    cairo_pattern_t* top = cairo_pattern_create_linear(0, 0, 0, 61);
    cairo_pattern_add_color_stop_rgb(top, 0, 0.62, 0.80, 0.98);
    cairo_pattern_add_color_stop_rgb(top, 1, 0xE9 / 255.0, 0xF4 / 255.0, 1);
    cairo_set_source(cr, top);
    cairo_rectangle(cr, 0, 0, 600, 61);
    cairo_fill(cr);
    cairo_pattern_destroy(top);
    cairo_pattern_t* low = cairo_pattern_create_linear(0, 61, 0, 122);
    cairo_pattern_add_color_stop_rgb(low, 0, 0xE9 / 255.0, 0xF4 / 255.0, 1);
    cairo_pattern_add_color_stop_rgb(low, 1, 1, 1, 1);
    cairo_set_source(cr, low);
    cairo_rectangle(cr, 0, 61, 600, 61);
    cairo_fill(cr);
    cairo_pattern_destroy(low);
    struct Row {
        int above, y;
        const char* image;
        int clamp;
    };
    const Row rows[] = {{4, 75, "DATATABLE_Button_1A", 70},   {39, 63, "DATATABLE_Button_2A", 57},
                        {79, 50, "DATATABLE_Button_3A", 45},  {119, 38, "DATATABLE_Button_4A", 33},
                        {149, 26, "DATATABLE_Button_5A", 21}, {179, 14, "DATATABLE_Button_6A", 10}};
    const Row reflections[] = {
        {4, 90, "DATATABLE_Button_R1", 0}, {79, 100, "DATATABLE_Button_R2", 0}, {99, 110, "DATATABLE_Button_R3", 0}};
    for (int b = 1; b <= 40; ++b) {
        if (b == 19 || b == 20) continue;
        const int v = level(b), x = 15 * b + 2;
        int peak = 83;
        for (const Row& r : reflections)
            if (v > r.above) {
                cairo_save(cr);
                cairo_translate(cr, x, r.y);
                cairo_scale(cr, 1.0, 10.0 / ReflectionHeight);
                cairo_set_source_surface(cr, by.at(r.image), 0, 0);
                cairo_paint(cr);
                cairo_restore(cr);
            }
        for (const Row& r : rows)
            if (v > r.above) {
                place(cr, by.at(v > 39 ? r.image : "DATATABLE_Button_1B"), x, r.y, 1, false);
                peak = std::min(peak, r.clamp);
            }
        if (v > 4) peak = std::max(0, peak - 3 - b % 4 * 2);  // peaks a little above, still falling
        place(cr, by.at("DATATABLE_Button_Peak"), x, peak - 8, 1, false);
        if (peak == 83) place(cr, by.at("DATATABLE_Button_R_Peak"), x, 90, 1, false);
    }
    cairo_surface_flush(s.get());
    return s;
}

// The scene at 640 × 480: the sky scaled to cover, clouds drifting, the band with lit bars and the
// cover panel's art corner.
void drawScene(cairo_t* cr, const ByName& by, double x0, double y0) {
    const double w = 640, h = 480;
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, w, h);
    cairo_clip(cr);
    place(cr, by.at("DATATABLE_Bkg"), x0, y0, w / SkyWidth);
    const Surface c1 = cloudLayer(by.at("DATATABLE_Cloud_1")), c2 = cloudLayer(by.at("DATATABLE_Cloud_2"));
    cairo_save(cr);
    cairo_translate(cr, x0 + 380, y0 + 120);
    cairo_scale(cr, 0.5, 0.36);
    cairo_set_source_surface(cr, c2.get(), 0, 0);
    cairo_paint_with_alpha(cr, 0.85);
    cairo_restore(cr);
    place(cr, c1.get(), x0 + 180, y0 + 90, 0.62);
    const int band = static_cast<int>(w * 122 / 600);
    const Surface bars = barCanvas(by, [](int b) {
        const int k = b <= 18 ? b : 39 - b;
        return static_cast<int>(200 * std::exp(-(k - 3) * (k - 3) / 40.0) + 30 * ((b * 7) % 5));
    });
    cairo_save(cr);
    cairo_translate(cr, x0, y0 + h - band);
    cairo_scale(cr, w / 596.0, band / 118.0);
    cairo_set_source_surface(cr, bars.get(), -2, -2);
    cairo_paint(cr);
    cairo_restore(cr);
    // The cover panel's art in its frame at the top-left margin, at the resting scale.
    const double s = 0.6;
    cairo_save(cr);
    cairo_translate(cr, x0 + 20, y0 + 20);
    cairo_scale(cr, s, s);
    place(cr, by.at("DATATABLE_Album_drop_shadow"), 2, 2, 208.0 / FrameWidth);
    place(cr, by.at("track1_art"), 2, 2, 200.0 / DemoCoverSize);
    for (int i = 0; i < 4; ++i) place(cr, by.at("DATATABLE_Rating"), 208 + 21 + 24 * i, 162 - 6, 1);
    cairo_restore(cr);
    cairo_restore(cr);
}

}  // namespace

bool writeContactSheet(const char* path, const std::vector<Picture>& pictures) {
    ByName by;
    for (const Picture& p : pictures) by[p.name] = p.surface.get();
    Surface sheet = opaqueSurface(SheetWidth, SheetHeight);
    Painter cr(sheet.get());
    cairo_set_source_rgb(cr, 0.13, 0.14, 0.16);
    cairo_paint(cr);

    panel::text(cr, "The scene as composed (clouds through the red-to-opacity rule)", Heading, 20, 24,
                panel::Align::Left, Ink);
    drawScene(cr, by, 20, 36);
    panel::text(cr, "Bars at rest and lit, on the band (600 x 122 canvas, 1:1)", Heading, 680, 24, panel::Align::Left,
                Ink);
    const Surface rest = barCanvas(by, [](int) { return 0; });
    const Surface lit = barCanvas(by, [](int b) { return (b * 37) % 230 + 5; });
    place(cr, rest.get(), 680, 36, 1, false);
    place(cr, lit.get(), 680, 170, 1, false);

    panel::text(cr, "Cover frame, hover frame and the empty case, on the sky", Heading, 680, 320, panel::Align::Left,
                Ink);
    for (int i = 0; i < 2; ++i) {
        const double x = 680 + i * 200, y = 332;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 0.85, 0.85);
        // Over the corner of the sky the panel rests on.
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, 220, 220);
        cairo_clip(cr);
        place(cr, by.at("DATATABLE_Bkg"), -10, -10, 1.0);
        cairo_restore(cr);
        place(cr, by.at(i == 0 ? "DATATABLE_Album_drop_shadow" : "DATATABLE_Album_hover"), 2, 2, 208.0 / FrameWidth);
        place(cr, by.at("track2_art"), 2, 2, 200.0 / DemoCoverSize);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_rectangle(cr, 1080, 332, 200, 200);
    cairo_clip(cr);
    place(cr, by.at("DATATABLE_Bkg"), 1070, 322, 1.0);
    cairo_restore(cr);
    place(cr, by.at("DATATABLE_No_cover"), 1080, 344, 0.97);

    // Every picture on its own, small ones enlarged, over a checkerboard where they have alpha.
    double x = 20, y = 560, rowHeight = 0;
    for (const Picture& p : pictures) {
        const int w = cairo_image_surface_get_width(p.surface.get()),
                  h = cairo_image_surface_get_height(p.surface.get());
        const double scale = w >= 400 ? 0.4 : w >= 150 ? 1.0 : w >= 30 ? 3.0 : w >= 20 ? 4.0 : 6.0;
        const double pw = w * scale, ph = h * scale;
        const double cell = std::max(pw, 170.0) + 16;
        if (x + cell > SheetWidth) {
            x = 20;
            y += rowHeight + 40;
            rowHeight = 0;
        }
        if (p.kind == FileKind::Png) checkerboard(cr, x, y, pw, ph);
        place(cr, p.surface.get(), x, y, scale, scale < 1.0);
        panel::text(cr, p.name, Label, x, y + ph + 14, panel::Align::Left, Ink);
        panel::text(cr, p.caption, Label, x, y + ph + 28, panel::Align::Left, {0.6, 0.63, 0.68});
        x += cell;
        rowHeight = std::max(rowHeight, ph);
    }
    cairo_surface_flush(sheet.get());
    return cairo_surface_write_to_png(sheet.get(), path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace tevaro::assetgen::coverdrift
