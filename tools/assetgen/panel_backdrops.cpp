// The pictures around the panel's controls: the product's headphones, the background tiles of the
// panel's host window and the emblem of the panel's two small dialogs.
#include <cmath>

#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;

std::uint32_t packedRgb(double r, double g, double b) {
    auto byte = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::fmin(1.0, std::fmax(0.0, v)) * 255.0));
    };
    return byte(r) << 16 | byte(g) << 8 | byte(b);
}

}  // namespace

void headphones(cairo_t* cr, double cx, double cy, double size, bool lit, bool dark) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    const double k = dark ? 0.24 : lit ? 1.0 : 0.62;  // how much light the metal gets
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Head band: a darker outer stroke under a bright inner one reads as a rounded band.
    cairo_set_line_width(cr, 4.2);
    cairo_set_source_rgb(cr, 0.30 * k, 0.33 * k, 0.38 * k);
    cairo_arc(cr, 0, 3, 13.5, Pi * 1.06, Pi * 1.94);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2.4);
    cairo_set_source_rgb(cr, 0.86 * k, 0.89 * k, 0.94 * k);
    cairo_arc(cr, 0, 3, 13.5, Pi * 1.08, Pi * 1.92);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        const double x = side * 13.5;
        cairo_pattern_t* metal = cairo_pattern_create_linear(x - 5, 0, x + 5, 0);
        cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.50 * k, 0.55 * k, 0.64 * k);
        cairo_pattern_add_color_stop_rgb(metal, 0.5, 0.95 * k, 0.97 * k, 1.00 * k);
        cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.40 * k, 0.45 * k, 0.55 * k);
        cairo_save(cr);
        cairo_translate(cr, x, 8);
        cairo_scale(cr, 4.6, 7.4);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
        cairo_set_source(cr, metal);
        cairo_fill(cr);
        cairo_pattern_destroy(metal);
        // The cup's lamp faces the listener.
        cairo_arc(cr, x - side * 1.8, 8, 1.8, 0, 2 * Pi);
        if (lit)
            cairo_set_source_rgb(cr, 0.30, 0.72, 1.0);
        else
            cairo_set_source_rgb(cr, 0.10 * k, 0.16 * k, 0.24 * k);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

Surface panelBackground(bool dspEnabled) {
    // The player's settings area around the panel: a deeper, plainer brushed metal than the plate, so
    // the panel stands out. Streaks wrap at the tile's width and rows are independent, so the tile
    // repeats in both directions without a seam.
    const int width = dspEnabled ? 251 : 286, height = dspEnabled ? 124 : 116;
    Surface s = newSurface(width, height);
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    const Rgb base = dspEnabled ? Rgb{0.100, 0.108, 0.125} : Rgb{0.060, 0.061, 0.066};
    for (int y = 0; y < height; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride));
        for (int x = 0; x < width; ++x) {
            const double f = brushedFactor(x, y, width, dspEnabled ? 0xB4C1u : 0xB4C2u);
            row[x] = packedRgb(base.r * f, base.g * f, base.b * f);
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

Surface dialogEmblem() {
    constexpr int Width = 151, Height = 137;
    Surface s = newSurface(Width, Height);
    Painter cr(s.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    const double cx = Width / 2.0, cy = 52;
    // Soft blue rings of sound around the headphones, fading into the white page.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int ring = 0; ring < 4; ++ring) {
        const double r = 40 + ring * 8.0;
        const double a = 0.75 - ring * 0.17;
        cairo_set_line_width(cr, 2.6 - ring * 0.4);
        cairo_set_source_rgba(cr, 0.16, 0.52, 0.90, a);
        for (int side = -1; side <= 1; side += 2) {
            const double centre = side < 0 ? Pi : 0.0;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy + 4, r, centre - 0.50, centre + 0.50);
            cairo_stroke(cr);
        }
    }
    // A dark round badge carries the headphones as the panel's logo does, with a soft shadow on
    // the page under it.
    constexpr double BadgeRadius = 33;
    const double by = cy + 2;
    cairo_pattern_t* shadow = cairo_pattern_create_radial(cx, by + 3, BadgeRadius - 4, cx, by + 3, BadgeRadius + 5);
    cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0.05, 0.10, 0.20, 0.35);
    cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0.05, 0.10, 0.20, 0.0);
    cairo_arc(cr, cx, by + 3, BadgeRadius + 5, 0, 2 * Pi);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    cairo_arc(cr, cx, by, BadgeRadius, 0, 2 * Pi);
    cairo_pattern_t* badge = cairo_pattern_create_radial(cx, by - 10, 3, cx, by, BadgeRadius);
    cairo_pattern_add_color_stop_rgb(badge, 0.0, 0.11, 0.22, 0.43);
    cairo_pattern_add_color_stop_rgb(badge, 1.0, 0.03, 0.06, 0.14);
    cairo_set_source(cr, badge);
    cairo_fill(cr);
    cairo_pattern_destroy(badge);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, by - BadgeRadius, 0, by + BadgeRadius);
    cairo_pattern_add_color_stop_rgb(rim, 0.0, 0.80, 0.84, 0.90);
    cairo_pattern_add_color_stop_rgb(rim, 1.0, 0.38, 0.42, 0.50);
    cairo_set_line_width(cr, 2.5);
    cairo_arc(cr, cx, by, BadgeRadius - 1.25, 0, 2 * Pi);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    headphones(cr, cx, cy - 1, 1.38, true, false);

    text(cr, "TEVARO", {"DejaVu Sans", 17.0, true, 2.0}, cx + 1, 112, Align::Centre, {0.07, 0.13, 0.27});
    text(cr, "headphone surround", {"DejaVu Sans", 9.0, false, 0.3}, cx, 126, Align::Centre, {0.14, 0.46, 0.82});
    // The dialogs paint it at a fixed place behind their transparent texts, so it is a watermark:
    // washed toward the white page, black text over it stays easy to read.
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    cairo_paint(cr);
    return s;
}

}  // namespace tevaro::assetgen::panel
