#include "tools/assetgen/panel_paint.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/repeatable_random.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;

int wrapped(int i, int n) { return ((i % n) + n) % n; }

// Smooth value noise along one row, in [-1, 1], with knots about `spacing` pixels apart. With a
// period the knots are spread evenly over it and their indexes wrap, so the row repeats exactly.
double streak(int x, int row, double spacing, int periodX, std::uint32_t seed) {
    const int knots = periodX > 0 ? std::max(1, static_cast<int>(std::lround(periodX / spacing))) : 0;
    const double step = knots > 0 ? static_cast<double>(periodX) / knots : spacing;
    const double u = x / step;
    const int i = static_cast<int>(std::floor(u));
    double t = u - i;
    t = t * t * (3.0 - 2.0 * t);
    const int i0 = knots > 0 ? wrapped(i, knots) : i;
    const int i1 = knots > 0 ? wrapped(i + 1, knots) : i + 1;
    const double a = hashed(seed, i0, row), b = hashed(seed, i1, row);
    return (a + (b - a) * t) * 2.0 - 1.0;
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

std::uint32_t packed(Rgb c) {
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(clamp01(v) * 255.0)); };
    return byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

PangoLayout* newLayout(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    // Grey antialiasing: subpixel rendering would bake colour fringes for one screen into the
    // bitmaps. Slight hinting sharpens the small sizes vertically; advances stay fractional, since
    // whole-pixel advances leave letter-spaced captions with uneven gaps.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    pango_context_set_round_glyph_positions(pango_layout_get_context(layout), FALSE);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);

    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, style.family);
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font, style.px * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (style.letterSpacing != 0.0) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes,
                               pango_attr_letter_spacing_new(static_cast<int>(style.letterSpacing * PANGO_SCALE)));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

// The ink width, without the letter spacing Pango leaves after the last letter.
double inkWidth(PangoLayout* layout) {
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    return ink.x + ink.width;
}

// Where the layout's top-left corner goes so that its text starts at `x` (by `align`) on `baseline`.
void placeLayout(cairo_t* cr, PangoLayout* layout, double x, double baseline, Align align) {
    const double width = inkWidth(layout);
    const double left = align == Align::Left ? x : align == Align::Centre ? x - width / 2.0 : x - width;
    const double top = baseline - pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
    cairo_move_to(cr, std::round(left), std::round(top));
}

// Three box passes approximate a gaussian.
void blurAlpha(std::vector<float>& a, int w, int h, int radius) {
    std::vector<float> tmp(a.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += a[static_cast<std::size_t>(y * w + std::clamp(x + k, 0, w - 1))];
                tmp[static_cast<std::size_t>(y * w + x)] = sum / static_cast<float>(2 * radius + 1);
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += tmp[static_cast<std::size_t>(std::clamp(y + k, 0, h - 1) * w + x)];
                a[static_cast<std::size_t>(y * w + x)] = sum / static_cast<float>(2 * radius + 1);
            }
    }
}

}  // namespace

Rgb scaled(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Rgb mixed(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
void setSource(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

Surface newSurface(int width, int height) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    Painter cr(s.get());
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    return s;
}

double brushedFactor(int x, int y, int periodX, std::uint32_t seed) {
    return 1.0 + 0.045 * streak(x, y, 37.0, periodX, seed) + 0.025 * streak(x, y, 9.0, periodX, seed + 1) +
           0.030 * (hashed(seed + 2, y, 0) * 2.0 - 1.0) + 0.012 * (hashed(seed + 3, x, y) * 2.0 - 1.0);
}

void faceplate(cairo_t* cr, int panelX, int panelY, int width, int height, bool dark) {
    const Rgb base = dark ? colours::DarkFace : colours::Face;
    Surface texture = newSurface(width, height);
    unsigned char* data = cairo_image_surface_get_data(texture.get());
    const int stride = cairo_image_surface_get_stride(texture.get());
    for (int y = 0; y < height; ++y) {
        const int py = panelY + y;
        // Light from above: the plate is a little brighter at its top edge.
        const double light = 1.10 - 0.20 * py / (PanelHeight - 1.0);
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride));
        for (int x = 0; x < width; ++x) {
            const int px = panelX + x;
            // A broad soft sheen across the middle of the plate, as brushed metal catches a lamp.
            const double sheen = 1.0 + 0.07 * std::exp(-std::pow((px - 250.0) / 170.0, 2.0));
            row[x] = packed(scaled(base, light * sheen * brushedFactor(px, py, 0, 0x7A11u)));
        }
    }
    cairo_surface_mark_dirty(texture.get());
    cairo_save(cr);
    cairo_set_source_surface(cr, texture.get(), 0, 0);
    cairo_paint(cr);

    cairo_translate(cr, -panelX, -panelY);
    cairo_set_line_width(cr, 1.0);
    const double lit = dark ? 0.07 : 0.16;
    // The rim: lit along the top and left edges, in shade along the bottom and right.
    cairo_set_source_rgba(cr, 1, 1, 1, lit);
    cairo_move_to(cr, 0, 0.5);
    cairo_line_to(cr, PanelWidth, 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, lit * 0.7);
    cairo_move_to(cr, 0.5, 1);
    cairo_line_to(cr, 0.5, PanelHeight);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_move_to(cr, 0, PanelHeight - 0.5);
    cairo_line_to(cr, PanelWidth, PanelHeight - 0.5);
    cairo_stroke(cr);
    cairo_move_to(cr, PanelWidth - 0.5, 0);
    cairo_line_to(cr, PanelWidth - 0.5, PanelHeight - 1);
    cairo_stroke(cr);
    // Engraved grooves set the switch and the info module apart from the middle of the panel.
    for (double gx : {112.5, 471.5}) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_move_to(cr, gx, 1);
        cairo_line_to(cr, gx, PanelHeight - 1);
        cairo_stroke(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, lit * 0.5);
        cairo_move_to(cr, gx + 1, 1);
        cairo_line_to(cr, gx + 1, PanelHeight - 1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2.0, h / 2.0});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -Pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, Pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, Pi / 2, Pi);
    cairo_arc(cr, x + r, y + r, r, Pi, 3 * Pi / 2);
    cairo_close_path(cr);
}

void key(cairo_t* cr, double x, double y, double w, double h, double radius, KeyState state, bool dark) {
    const Rgb face = dark ? colours::DarkFace : colours::Face;
    const bool raised = state == KeyState::Raised;
    cairo_save(cr);
    if (raised) {
        roundedRect(cr, x - 0.5, y + 0.5, w + 1, h + 1, radius + 0.5);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_fill(cr);
    }
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, y, 0, y + h);
    const Rgb top = scaled(face, raised ? 1.55 : 0.80), bottom = scaled(face, raised ? 1.02 : 1.10);
    cairo_pattern_add_color_stop_rgb(cap, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(cap, 1.0, bottom.r, bottom.g, bottom.b);
    roundedRect(cr, x, y, w, h, radius);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);

    cairo_set_line_width(cr, 1.0);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius - 0.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.70);
    cairo_stroke(cr);
    // A raised key's top edge catches the light; a pressed key's top edge is in its own shadow.
    cairo_move_to(cr, x + radius, y + 1.5);
    cairo_line_to(cr, x + w - radius, y + 1.5);
    if (raised)
        cairo_set_source_rgba(cr, 1, 1, 1, dark ? 0.06 : 0.20);
    else
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void lamp(cairo_t* cr, double cx, double cy, double radius, Rgb colour, LampState state) {
    cairo_save(cr);
    cairo_arc(cr, cx, cy, radius + 1.0, 0, 2 * Pi);  // the lamp's seat in the key
    cairo_set_source_rgba(cr, 0, 0, 0, 0.65);
    cairo_fill(cr);
    if (state == LampState::Lit) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, radius * 0.8, cx, cy, radius * 3.4);
        cairo_pattern_add_color_stop_rgba(halo, 0.0, colour.r, colour.g, colour.b, 0.50);
        cairo_pattern_add_color_stop_rgba(halo, 0.4, colour.r, colour.g, colour.b, 0.16);
        cairo_pattern_add_color_stop_rgba(halo, 1.0, colour.r, colour.g, colour.b, 0.0);
        cairo_set_source(cr, halo);
        cairo_arc(cr, cx, cy, radius * 3.4, 0, 2 * Pi);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
    }
    const Rgb white{1, 1, 1};
    const Rgb centre = state == LampState::Lit   ? mixed(colour, white, 0.75)
                       : state == LampState::Off ? scaled(colour, 0.30)
                                                 : scaled(colour, 0.08);
    const Rgb edge = state == LampState::Lit   ? colour
                     : state == LampState::Off ? scaled(colour, 0.12)
                                               : scaled(colour, 0.04);
    cairo_pattern_t* glass = cairo_pattern_create_radial(cx - radius * 0.25, cy - radius * 0.25, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(glass, 0.0, centre.r, centre.g, centre.b);
    cairo_pattern_add_color_stop_rgb(glass, 1.0, edge.r, edge.g, edge.b);
    cairo_set_source(cr, glass);
    cairo_arc(cr, cx, cy, radius, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    // The glass's own reflection, strongest on an unlit lamp.
    const double shine = state == LampState::Lit ? 0.35 : state == LampState::Off ? 0.30 : 0.08;
    cairo_arc(cr, cx - radius * 0.35, cy - radius * 0.40, radius * 0.38, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 1, 1, 1, shine);
    cairo_fill(cr);
    cairo_restore(cr);
}

void displayGlass(cairo_t* cr, double x, double y, double w, double h, double radius, bool lit) {
    cairo_save(cr);
    // The cut into the plate: shaded above, lit below, as a recess is under light from above.
    cairo_pattern_t* cut = cairo_pattern_create_linear(0, y - 1.5, 0, y + h + 1.5);
    cairo_pattern_add_color_stop_rgba(cut, 0.0, 0, 0, 0, 0.75);
    cairo_pattern_add_color_stop_rgba(cut, 0.8, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(cut, 1.0, 1, 1, 1, lit ? 0.22 : 0.10);
    roundedRect(cr, x - 1.5, y - 1.5, w + 3, h + 3, radius + 1.5);
    cairo_set_source(cr, cut);
    cairo_fill(cr);
    cairo_pattern_destroy(cut);

    const Rgb top = lit ? Rgb{0.035, 0.080, 0.150} : Rgb{0.020, 0.028, 0.042};
    const Rgb bottom = lit ? Rgb{0.012, 0.030, 0.065} : Rgb{0.008, 0.012, 0.020};
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(glass, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(glass, 1.0, bottom.r, bottom.g, bottom.b);
    roundedRect(cr, x, y, w, h, radius);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    cairo_clip(cr);
    for (double row = y + 1; row < y + h; row += 2) {
        cairo_rectangle(cr, x, row, w, 1);
    }
    cairo_set_source_rgba(cr, 0, 0, 0, 0.18);
    cairo_fill(cr);
    // The glass's inner shadow under the top edge.
    cairo_pattern_t* shadow = cairo_pattern_create_linear(0, y, 0, y + 5);
    cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0, 0, 0, 0.6);
    cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0, 0, 0, 0.0);
    cairo_rectangle(cr, x, y, w, 5);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    cairo_restore(cr);
}

double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayout* layout = newLayout(cr, text, style);
    const double w = inkWidth(layout);
    g_object_unref(layout);
    return w;
}

void text(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double baseline, Align align,
          Rgb colour, double alpha) {
    PangoLayout* layout = newLayout(cr, text, style);
    cairo_save(cr);
    placeLayout(cr, layout, x, baseline, align);
    setSource(cr, colour, alpha);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

double capCentredBaseline(cairo_t* cr, const TextStyle& style, double centreY) {
    PangoLayout* layout = newLayout(cr, "H", style);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    const double capHeight = pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE) - ink.y;
    g_object_unref(layout);
    return std::round(centreY + capHeight / 2.0);
}

double paragraph(cairo_t* cr, const std::string& markup, const TextStyle& style, double x, double top, double width,
                 Rgb colour, double lineHeight) {
    PangoLayout* layout = newLayout(cr, "", style);
    pango_layout_set_markup(layout, markup.c_str(), -1);
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    cairo_save(cr);
    setSource(cr, colour);
    // Line by line, each on its own whole-pixel baseline `lineHeight` apart.
    const double firstBaseline = top + pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
    PangoLayoutIter* lines = pango_layout_get_iter(layout);
    int index = 0;
    double bottom = top;
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(lines);
        const double baseline = lineHeight > 0
                                    ? std::round(firstBaseline + index * lineHeight)
                                    : top + pango_layout_iter_get_baseline(lines) / static_cast<double>(PANGO_SCALE);
        cairo_move_to(cr, x, baseline);
        pango_cairo_show_layout_line(cr, line);
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(lines, nullptr, &logical);
        bottom = lineHeight > 0 ? baseline + lineHeight - (firstBaseline - top)
                                : top + (logical.y + logical.height) / static_cast<double>(PANGO_SCALE);
        ++index;
    } while (pango_layout_iter_next_line(lines));
    pango_layout_iter_free(lines);
    cairo_restore(cr);
    g_object_unref(layout);
    return bottom;
}

void releaseFontCaches() {
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
}

void glowingText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double baseline, Align align,
                 Rgb colour, double glow) {
    // The glow is the text's own coverage, blurred, laid under the sharp text.
    PangoLayout* layout = newLayout(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    constexpr int Margin = 6;
    const int w = logical.width + 2 * Margin, h = logical.height + 2 * Margin;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    {
        cairo_t* mcr = cairo_create(mask);
        cairo_move_to(mcr, Margin, Margin);
        PangoLayout* maskLayout = newLayout(mcr, text, style);
        pango_cairo_show_layout(mcr, maskLayout);
        g_object_unref(maskLayout);
        cairo_destroy(mcr);
    }
    cairo_surface_flush(mask);
    unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    std::vector<float> alpha(static_cast<std::size_t>(w * h));
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) alpha[static_cast<std::size_t>(yy * w + xx)] = data[yy * stride + xx] / 255.0f;
    blurAlpha(alpha, w, h, 2);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            data[yy * stride + xx] = static_cast<unsigned char>(
                std::lround(std::min(1.0f, alpha[static_cast<std::size_t>(yy * w + xx)] * 2.2f) * 255.0f));
    cairo_surface_mark_dirty(mask);

    cairo_save(cr);
    placeLayout(cr, layout, x, baseline, align);
    double left, top;
    cairo_get_current_point(cr, &left, &top);
    setSource(cr, colour, glow);
    cairo_mask_surface(cr, mask, left - Margin, top - Margin);
    cairo_move_to(cr, left, top);
    setSource(cr, colour);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
    g_object_unref(layout);
}

}  // namespace tevaro::assetgen::panel
