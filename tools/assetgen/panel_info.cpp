// The info module at the panel's right end: the product's logo (a link to its homepage) over the
// help and about sub-buttons. Nine images: look × 3 + press state, where the looks are active,
// surround off and DSP disabled, and the press states help pressed, about pressed and nothing pressed.
#include <cmath>

#include "tools/assetgen/panel_layout.h"
#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;

enum class Look { Active, SurroundOff, Disabled };

// Rings of sound spreading from the listener's head, as on the DSP's property page.
void soundRings(cairo_t* cr, double cx, double cy, double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int ring = 0; ring < 3; ++ring) {
        const double r = 13.5 + ring * 4.2;
        cairo_set_line_width(cr, 1.6 - ring * 0.25);
        setSource(cr, colours::Cyan, alpha * (1.0 - ring * 0.25));
        for (int side = -1; side <= 1; side += 2) {
            const double a = side < 0 ? Pi : 0.0;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r, a - 0.55, a + 0.55);
            cairo_stroke(cr);
        }
    }
}

void logo(cairo_t* cr, Look look) {
    const double cx = InfoLogo.centreX(), cy = InfoLogo.centreY();
    const double outer = InfoLogo.width() / 2.0;  // the badge fills the logo's link rectangle
    const bool dark = look == Look::Disabled;
    const Rgb face = dark ? colours::DarkFace : colours::Face;
    cairo_arc(cr, cx, cy + 0.5, outer, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.65);
    cairo_fill(cr);
    cairo_pattern_t* bezel = cairo_pattern_create_linear(0, cy - outer, 0, cy + outer);
    const Rgb top = scaled(face, 2.3), bottom = scaled(face, 0.65);
    cairo_pattern_add_color_stop_rgb(bezel, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(bezel, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_arc(cr, cx, cy, outer - 1, 0, 2 * Pi);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);

    // The badge's glass: the DSP's blue when active, unlit otherwise.
    const double inner = outer - 3.5;
    cairo_pattern_t* glass = cairo_pattern_create_radial(cx, cy - 6, 2, cx, cy, inner);
    const Rgb centre = look == Look::Active        ? Rgb{0.08, 0.17, 0.34}
                       : look == Look::SurroundOff ? Rgb{0.07, 0.08, 0.11}
                                                   : Rgb{0.03, 0.035, 0.045};
    const Rgb edge = look == Look::Active        ? Rgb{0.02, 0.04, 0.10}
                     : look == Look::SurroundOff ? Rgb{0.025, 0.03, 0.04}
                                                 : Rgb{0.01, 0.012, 0.016};
    cairo_pattern_add_color_stop_rgb(glass, 0.0, centre.r, centre.g, centre.b);
    cairo_pattern_add_color_stop_rgb(glass, 1.0, edge.r, edge.g, edge.b);
    cairo_arc(cr, cx, cy, inner, 0, 2 * Pi);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);

    cairo_save(cr);
    cairo_arc(cr, cx, cy, inner, 0, 2 * Pi);
    cairo_clip(cr);
    soundRings(cr, cx, cy + 1, look == Look::Active ? 0.85 : look == Look::SurroundOff ? 0.22 : 0.08);
    headphones(cr, cx, cy - 1, 1.0, look == Look::Active, dark);
    // A reflection across the top of the glass.
    cairo_pattern_t* shine = cairo_pattern_create_linear(0, cy - inner, 0, cy);
    cairo_pattern_add_color_stop_rgba(shine, 0.0, 1, 1, 1, dark ? 0.05 : 0.14);
    cairo_pattern_add_color_stop_rgba(shine, 1.0, 1, 1, 1, 0.0);
    cairo_save(cr);
    cairo_translate(cr, cx, cy - inner * 0.45);
    cairo_scale(cr, inner * 0.85, inner * 0.55);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
    cairo_restore(cr);
}

// A round sub-button filling its hot spot; a pressed one sits lower, its cap in shade.
void subButton(cairo_t* cr, const HotSpot& spot, const char* glyph, bool pressed, Look look) {
    const bool dark = look == Look::Disabled;
    const Rgb face = dark ? colours::DarkFace : colours::Face;
    const double cx = spot.centreX(), cy = spot.centreY(), r = spot.width() / 2.0;
    const double sink = pressed ? 1.0 : 0.0;
    cairo_arc(cr, cx, cy + 0.5, r, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0, 0, 0, pressed ? 0.8 : 0.6);
    cairo_fill(cr);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
    const Rgb top = scaled(face, pressed ? 0.75 : 2.0), bottom = scaled(face, pressed ? 1.25 : 0.95);
    cairo_pattern_add_color_stop_rgb(cap, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(cap, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_arc(cr, cx, cy + sink * 0.5, r - 1.5, 0, 2 * Pi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, cx, cy + sink * 0.5, r - 1.5, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_stroke(cr);
    if (!pressed) {
        cairo_arc(cr, cx, cy, r - 2.5, Pi * 1.15, Pi * 1.85);
        cairo_set_source_rgba(cr, 1, 1, 1, dark ? 0.06 : 0.22);
        cairo_stroke(cr);
    }
    const TextStyle style{"DejaVu Sans", 10.0, true};
    const Rgb ink = dark                        ? colours::DarkLabel
                    : look == Look::SurroundOff ? colours::Label
                    : pressed                   ? colours::Cyan
                                                : colours::LitLabel;
    text(cr, glyph, style, cx + 0.5, capCentredBaseline(cr, style, cy + sink), Align::Centre, ink);
}

}  // namespace

Surface infoControl(int image) {
    const Look look = static_cast<Look>(image / 3);
    const int press = image % 3;
    const bool dark = look == Look::Disabled;
    const Rect& r = InfoRect;
    Surface s = controlBase(r.x, r.y, r.w, r.h, dark);
    Painter cr(s.get());
    const Rgb label = dark ? colours::DarkLabel : colours::Label;
    text(cr, "TEVARO", {"DejaVu Sans", 8.5, true, 1.8}, InfoLogo.centreX() + 1, 12, Align::Centre, label);
    logo(cr, look);
    subButton(cr, InfoHelp, "?", press == 0, look);
    subButton(cr, InfoAbout, "i", press == 1, look);
    text(cr, "PLAYER SE", {"DejaVu Sans", 6.5, false, 0.2}, InfoLogo.centreX(), 92, Align::Centre, label, 0.8);
    return s;
}

}  // namespace tevaro::assetgen::panel
