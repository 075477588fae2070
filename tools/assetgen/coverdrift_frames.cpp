// The cover panel's pictures: the frame behind the album art (a plain drop shadow, and a glowing
// one while the pointer is over the art), the empty jewel case shown for a track without art, and
// the rating star. The panel draws a frame scaled to 208 × 208 at (2, 2) and the art, 200 × 200,
// over it at the same corner, so only the frame's right and bottom margins stay in view.
#include "tools/assetgen/coverdrift_pictures.h"

namespace tevaro::assetgen::coverdrift {

namespace {

// The art's rectangle in the frame's own pixels: 200 panel pixels at the 206 / 208 and 203 / 208
// scale the panel draws the frame with.
constexpr double ArtRight = 200.0 * FrameWidth / 208.0, ArtBottom = 200.0 * FrameHeight / 208.0;

// Distance from (x, y) to the rectangle (0, 0)–(right, bottom), negative inside.
double rectDistance(double x, double y, double right, double bottom) {
    const double dx = std::max(-x, x - right), dy = std::max(-y, y - bottom);
    const double outside = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
    return outside > 0 ? outside : std::max(dx, dy);
}

struct Layer {
    Rgb colour;
    double alpha;
};

// Straight-alpha "over".
Layer over(Layer top, Layer bottom) {
    const double a = top.alpha + bottom.alpha * (1 - top.alpha);
    if (a <= 0) return {{0, 0, 0}, 0};
    const auto channel = [&](double t, double b) { return (t * top.alpha + b * bottom.alpha * (1 - top.alpha)) / a; };
    return {{channel(top.colour.r, bottom.colour.r), channel(top.colour.g, bottom.colour.g),
             channel(top.colour.b, bottom.colour.b)},
            a};
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner) {
    for (int i = 0; i < 10; ++i) {
        const double angle = -Pi / 2 + i * Pi / 5;
        const double r = i % 2 == 0 ? outer : inner;
        if (i == 0)
            cairo_move_to(cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
        else
            cairo_line_to(cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    cairo_close_path(cr);
}

}  // namespace

Surface albumFrame(bool hovered) {
    Surface s = alphaSurface(FrameWidth, FrameHeight);
    for (int y = 0; y < FrameHeight; ++y)
        for (int x = 0; x < FrameWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = rectDistance(px, py, ArtRight, ArtBottom);
            Layer pixel{{0, 0, 0}, 0};
            if (hovered) {
                // A cool light around the art, brightest at its edge, as if the cover were lit
                // from behind when the pointer reaches it: a white rim in a cyan halo.
                const double glow = d > 0 ? 1 - smoothstep(2.5, 9.0, d) : 0.0;
                pixel = over({panel::mixed({0.85, 0.97, 1.0}, {0.30, 0.82, 1.0}, clamp01((d - 2) / 5)), glow}, pixel);
                pixel = over({{1, 1, 1}, 1 - smoothstep(2.0, 3.0, std::fabs(d))}, pixel);
            } else {
                // A soft shadow falling to the lower right.
                const double shadow = rectDistance(px - 3, py - 4, ArtRight, ArtBottom);
                pixel = over({{0.0, 0.04, 0.12}, 0.62 * (1 - smoothstep(-2.0, 6.5, shadow))}, pixel);
                pixel = over({{0.93, 0.95, 0.98}, 0.85 * (1 - smoothstep(0.0, 1.4, std::fabs(d)))}, pixel);
            }
            if (d < -0.5) {
                // Under the art: a dark plate, seen only when the art file cannot be read.
                const double t = (px + py) / (ArtRight + ArtBottom);
                pixel = {panel::mixed({0.20, 0.24, 0.30}, {0.07, 0.08, 0.11}, t), 1.0};
            }
            putPixel(s.get(), x, y, pixel.colour, pixel.alpha);
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

Surface noCover() {
    Surface s = alphaSurface(NoCoverWidth, NoCoverHeight);
    Painter cr(s.get());
    const double w = NoCoverWidth, h = NoCoverHeight, spine = 15;
    // The smoky tray seen through the clear lid.
    panel::roundedRect(cr, spine, 3, w - spine - 3, h - 6, 2);
    cairo_pattern_t* tray = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(tray, 0, 0.17, 0.19, 0.22, 0.80);
    cairo_pattern_add_color_stop_rgba(tray, 1, 0.04, 0.05, 0.06, 0.86);
    cairo_set_source(cr, tray);
    cairo_fill(cr);
    cairo_pattern_destroy(tray);
    // The disc seat and the hub's rosette of teeth.
    const double cx = spine + (w - spine - 3) / 2, cy = h / 2;
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, cx, cy, 78, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0.55, 0.60, 0.68, 0.35);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 26, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0.30, 0.33, 0.38, 0.9);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.62, 0.66, 0.72, 0.6);
    cairo_stroke(cr);
    for (int i = 0; i < 12; ++i) {
        const double a = i * Pi / 6, a0 = a - 0.14, a1 = a + 0.14;
        cairo_move_to(cr, cx + 9 * std::cos(a0), cy + 9 * std::sin(a0));
        cairo_line_to(cr, cx + 20 * std::cos(a0), cy + 20 * std::sin(a0));
        cairo_line_to(cr, cx + 20 * std::cos(a1), cy + 20 * std::sin(a1));
        cairo_line_to(cr, cx + 9 * std::cos(a1), cy + 9 * std::sin(a1));
        cairo_close_path(cr);
    }
    cairo_set_source_rgba(cr, 0.70, 0.74, 0.80, 0.75);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 7, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0.05, 0.06, 0.07, 0.9);
    cairo_fill(cr);
    // The hinge: a denser strip with ribs and the two pivot knuckles.
    cairo_rectangle(cr, 1, 1, spine, h - 2);
    cairo_pattern_t* hinge = cairo_pattern_create_linear(1, 0, spine + 1, 0);
    cairo_pattern_add_color_stop_rgba(hinge, 0, 0.80, 0.85, 0.92, 0.55);
    cairo_pattern_add_color_stop_rgba(hinge, 0.5, 0.35, 0.39, 0.45, 0.70);
    cairo_pattern_add_color_stop_rgba(hinge, 1, 0.55, 0.60, 0.68, 0.60);
    cairo_set_source(cr, hinge);
    cairo_fill(cr);
    cairo_pattern_destroy(hinge);
    for (double x = 4.5; x < spine; x += 3) {
        cairo_move_to(cr, x, 14);
        cairo_line_to(cr, x, h - 14);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_stroke(cr);
    for (double y : {3.0, h - 11}) {
        panel::roundedRect(cr, 2, y, spine - 2, 8, 2);
        cairo_set_source_rgba(cr, 0.85, 0.89, 0.95, 0.7);
        cairo_fill(cr);
    }
    // The clear lid: a faint veil, a diagonal sheen and bright edges.
    panel::roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
    cairo_set_source_rgba(cr, 0.85, 0.92, 1.0, 0.10);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.80);
    cairo_stroke(cr);
    panel::roundedRect(cr, 2.5, 2.5, w - 5, h - 5, 2);
    cairo_set_source_rgba(cr, 0.2, 0.25, 0.3, 0.5);
    cairo_stroke(cr);
    cairo_save(cr);
    panel::roundedRect(cr, spine, 3, w - spine - 3, h - 6, 2);
    cairo_clip(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(40, 0, 150, h);
    cairo_pattern_add_color_stop_rgba(sheen, 0.00, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(sheen, 0.38, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(sheen, 0.46, 1, 1, 1, 0.26);
    cairo_pattern_add_color_stop_rgba(sheen, 0.56, 1, 1, 1, 0.06);
    cairo_pattern_add_color_stop_rgba(sheen, 0.62, 1, 1, 1, 0.0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
    cairo_surface_flush(s.get());
    return s;
}

Surface ratingStar() {
    Surface s = alphaSurface(StarSize, StarSize);
    Painter cr(s.get());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double cx = 15, cy = 15.8, outer = 13.2, inner = 5.6;
    // A soft shadow under the lower right, built from widening faint outlines.
    for (int i = 3; i >= 1; --i) {
        starPath(cr, cx + 0.8, cy + 1.2, outer, inner);
        cairo_set_line_width(cr, 1.2 * i);
        cairo_set_source_rgba(cr, 0.0, 0.05, 0.15, 0.10);
        cairo_stroke(cr);
    }
    starPath(cr, cx + 0.8, cy + 1.2, outer, inner);
    cairo_set_source_rgba(cr, 0.0, 0.05, 0.15, 0.30);
    cairo_fill(cr);
    // Gold, bright where the light meets it at the upper left.
    starPath(cr, cx, cy, outer, inner);
    cairo_pattern_t* gold = cairo_pattern_create_radial(cx - 4, cy - 5, 1, cx, cy, outer);
    cairo_pattern_add_color_stop_rgb(gold, 0.0, 1.00, 0.97, 0.70);
    cairo_pattern_add_color_stop_rgb(gold, 0.45, 1.00, 0.80, 0.18);
    cairo_pattern_add_color_stop_rgb(gold, 1.0, 0.82, 0.50, 0.03);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0.52, 0.29, 0.0, 0.9);
    cairo_stroke(cr);
    // The raised ridge: each arm's left facet catches a little more light.
    cairo_save(cr);
    starPath(cr, cx, cy, outer - 0.8, inner - 0.4);
    cairo_clip(cr);
    for (int i = 0; i < 5; ++i) {
        const double a = -Pi / 2 + i * 2 * Pi / 5, b = a - Pi / 5;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + outer * std::cos(a), cy + outer * std::sin(a));
        cairo_line_to(cr, cx + inner * std::cos(b), cy + inner * std::sin(b));
        cairo_close_path(cr);
    }
    cairo_set_source_rgba(cr, 1, 1, 0.9, 0.28);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_flush(s.get());
    return s;
}

}  // namespace tevaro::assetgen::coverdrift
