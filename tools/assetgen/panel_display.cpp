// The status display: a backlit screen with the two technology logos on its left (each a link to
// its information page) and the current preset and quality on its right. Image 0 is the picture
// for the DSP disabled, 1 for surround off, and 2 + 6 × preset + quality for the rest, where the
// quality offsets 0, 1, 2 are Min, Max, Mid chosen by Auto and 3, 4, 5 the same chosen by hand.
#include <cmath>

#include "tools/assetgen/panel_layout.h"
#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;

// The screen's glass, in the control's coordinates; the logos sit inside its left end.
constexpr double GlassX = 5, GlassY = 4, GlassW = 277, GlassH = 71;
constexpr double TextLeft = 72;  // the preset and quality start right of the logos' divider
constexpr double QualityLeft = 210;

enum class Screen { Lit, Dim, Off };

Rgb logoInk(Screen screen, double lit) {
    return screen == Screen::Lit   ? mixed(colours::Cyan, {1, 1, 1}, lit)
           : screen == Screen::Dim ? scaled(colours::Cyan, 0.42)
                                   : Rgb{0.22, 0.24, 0.27};
}

// "Spatio": the name over a swept arc, filling the upper link rectangle.
void spatioLogo(cairo_t* cr, Screen screen) {
    const HotSpot& spot = StatusUpperLogo;
    const double cx = spot.centreX();
    const TextStyle style{"DejaVu Sans", 10.0, true, 0.2};
    const Rgb ink = logoInk(screen, 0.35);
    if (screen == Screen::Lit)
        glowingText(cr, "Spatio", style, cx, spot.top + 11, Align::Centre, ink, 0.35);
    else
        text(cr, "Spatio", style, cx, spot.top + 11, Align::Centre, ink);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.3);
    setSource(cr, logoInk(screen, 0.0), screen == Screen::Off ? 0.8 : 0.9);
    cairo_move_to(cr, spot.left + 2.5, spot.bottom - 3.0);
    cairo_curve_to(cr, cx - 6, spot.bottom + 0.5, cx + 6, spot.bottom - 6.0, spot.right - 1.5, spot.bottom - 3.5);
    cairo_stroke(cr);
}

// "Panorix": a listener's head with the sound field spread around it, the name beneath.
void panorixLogo(cairo_t* cr, Screen screen) {
    const HotSpot& spot = StatusLowerLogo;
    const double cx = spot.centreX(), cy = spot.top + 9.5;
    const Rgb ink = logoInk(screen, 0.0);
    cairo_arc(cr, cx, cy, 3.2, 0, 2 * Pi);
    setSource(cr, logoInk(screen, 0.5));
    cairo_fill(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int ring = 0; ring < 3; ++ring) {
        const double r = 6.0 + ring * 3.6;
        cairo_set_line_width(cr, 1.4 - ring * 0.2);
        setSource(cr, ink, 1.0 - ring * 0.25);
        for (int side = -1; side <= 1; side += 2) {
            const double a = side < 0 ? Pi : 0.0;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r, a - 0.62, a + 0.62);
            cairo_stroke(cr);
        }
    }
    const TextStyle style{"DejaVu Sans", 7.6, true, 0.0};
    const Rgb name = logoInk(screen, 0.35);
    if (screen == Screen::Lit)
        glowingText(cr, "Panorix", style, cx, spot.bottom - 1, Align::Centre, name, 0.30);
    else
        text(cr, "Panorix", style, cx, spot.bottom - 1, Align::Centre, name);
}

Surface screenWithLogos(Screen screen, bool dark) {
    const Rect& r = StatusRect;
    Surface s = controlBase(r.x, r.y, r.w, r.h, dark);
    Painter cr(s.get());
    displayGlass(cr, GlassX, GlassY, GlassW, GlassH, 4, screen == Screen::Lit);
    spatioLogo(cr, screen);
    panorixLogo(cr, screen);
    // The divider between the logos and the readout.
    cairo_set_line_width(cr, 1.0);
    setSource(cr, screen == Screen::Off ? Rgb{0.2, 0.22, 0.25} : colours::Cyan, screen == Screen::Lit ? 0.35 : 0.18);
    cairo_move_to(cr, 62.5, 12);
    cairo_line_to(cr, 62.5, 67);
    cairo_stroke(cr);
    return s;
}

// The quality as three bars of rising height, as many lit as the level is high.
void qualityBars(cairo_t* cr, double x, double baseline, int lit, Rgb colour) {
    for (int i = 0; i < 3; ++i) {
        const double h = 4.0 + i * 3.0;
        cairo_rectangle(cr, x + i * 6.0, baseline - h, 4, h);
        setSource(cr, colour, i < lit ? 1.0 : 0.16);
        cairo_fill(cr);
    }
}

const TextStyle Caption{"DejaVu Sans", 6.5, false, 1.4};

}  // namespace

Surface statusDisplay(int image) {
    if (image == 0) {
        Surface s = screenWithLogos(Screen::Off, true);
        Painter cr(s.get());
        const Rgb warn = scaled(colours::Amber, 0.78);
        glowingText(cr, "DSP not activated", {"DejaVu Sans", 14.0, true}, TextLeft, 36, Align::Left, warn, 0.25);
        text(cr, "Tools \u2192 Plug-ins \u2192 Tevaro Player SE DSP", {"DejaVu Sans", 7.5, false}, TextLeft, 54,
             Align::Left, {0.46, 0.48, 0.52});
        return s;
    }
    if (image == 1) {
        Surface s = screenWithLogos(Screen::Dim, false);
        Painter cr(s.get());
        text(cr, "Surround off", {"DejaVu Sans", 14.0, true}, TextLeft, 36, Align::Left, scaled(colours::Cyan, 0.55));
        text(cr, "Panorix passes the sound through unchanged", {"DejaVu Sans", 7.5, false}, TextLeft, 54, Align::Left,
             scaled(colours::Cyan, 0.38));
        return s;
    }
    const int preset = (image - 2) / 6, quality = (image - 2) % 6;
    const bool byAuto = quality < 3;
    const int level = quality % 3;  // 0 Min, 1 Max, 2 Mid
    const int bars = level == 0 ? 1 : level == 2 ? 2 : 3;

    Surface s = screenWithLogos(Screen::Lit, false);
    Painter cr(s.get());
    const Rgb dimCyan = scaled(colours::Cyan, 0.62);
    text(cr, "PRESET", Caption, TextLeft, 20, Align::Left, dimCyan);
    glowingText(cr, PresetLabels[preset], {"DejaVu Sans", 20.0, true}, TextLeft, 45, Align::Left,
                mixed(colours::Cyan, {1, 1, 1}, 0.25), 0.45);
    text(cr, "PANORIX SURROUND", Caption, TextLeft, 63, Align::Left, dimCyan, 0.8);

    text(cr, "QUALITY", Caption, QualityLeft, 20, Align::Left, dimCyan);
    glowingText(cr, LevelLabels[level], {"DejaVu Sans", 15.0, true}, QualityLeft, 41, Align::Left,
                mixed(colours::Cyan, {1, 1, 1}, 0.25), 0.40);
    qualityBars(cr, QualityLeft + 40, 41, bars, byAuto ? colours::Amber : colours::Cyan);
    if (byAuto) {
        const TextStyle mark{"DejaVu Sans", 7.5, true, 1.0};
        roundedRect(cr, QualityLeft - 0.5, 52.5, 35, 12, 3);
        setSource(cr, colours::Amber);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        glowingText(cr, "AUTO", mark, QualityLeft + 17, capCentredBaseline(cr, mark, 58.5), Align::Centre,
                    colours::Amber, 0.35);
    } else {
        text(cr, "MANUAL", Caption, QualityLeft, 63, Align::Left, dimCyan, 0.8);
    }
    return s;
}

}  // namespace tevaro::assetgen::panel
