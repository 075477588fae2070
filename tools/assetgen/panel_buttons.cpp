// The panel's plain buttons: the surround switch, the presets, the quality levels and Auto.
#include <cmath>

#include "tools/assetgen/panel_layout.h"
#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Button images 0, 1 and 2 share their meaning: lamp lit, lamp off, DSP disabled.
LampState lampFor(int image) { return image == 0 ? LampState::Lit : image == 1 ? LampState::Off : LampState::Dark; }
Rgb labelFor(int image) { return image == 0 ? colours::LitLabel : image == 2 ? colours::DarkLabel : colours::Label; }

const TextStyle KeyLabel{"DejaVu Sans", 9.0, true};

// A labelled key with its lamp on the left, filling the control but for a two-pixel gap all round.
// Presets centre their labels in the key; the quality column aligns its labels on one left edge.
Surface lampKey(const Rect& r, const std::string& label, int image, Align align, Rgb lampColour, LampState lampState,
                Rgb labelColour) {
    const bool dark = image == 2;
    Surface s = controlBase(r.x, r.y, r.w, r.h, dark);
    Painter cr(s.get());
    const double top = 2, height = r.h - 4;
    key(cr, 2, top, r.w - 4, height, 3, KeyState::Raised, dark);
    const double centreY = top + height / 2.0;
    lamp(cr, 10.5, centreY, height > 18 ? 3.0 : 2.8, lampColour, lampState);
    const double labelLeft = 17, labelRight = r.w - 4;
    const double x = align == Align::Centre ? (labelLeft + labelRight) / 2.0 : labelLeft + 2;
    text(cr, label, KeyLabel, x, capCentredBaseline(cr, KeyLabel, centreY), align, labelColour);
    return s;
}

void powerSymbol(cairo_t* cr, double cx, double cy, double radius) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, cx, cy, radius, -Pi / 2 + 0.75, 3 * Pi / 2 - 0.75);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy - radius - 1.2);
    cairo_line_to(cr, cx, cy - 0.8);
    cairo_stroke(cr);
}

}  // namespace

Surface controlBase(int panelX, int panelY, int width, int height, bool dark) {
    Surface s = newSurface(width, height);
    Painter cr(s.get());
    faceplate(cr, panelX, panelY, width, height, dark);
    return s;
}

Surface surroundSwitch(int image) {
    const bool on = image == 0, dark = image == 2;
    const Rect& r = SwitchRect;
    Surface s = controlBase(r.x, r.y, r.w, r.h, dark);
    Painter cr(s.get());
    const Rgb face = dark ? colours::DarkFace : colours::Face;
    // The knob fills the switch's hot spot: a click anywhere on it toggles surround.
    const double cx = SwitchKnob.centreX(), cy = SwitchKnob.centreY();
    const double seat = SwitchKnob.width() / 2.0;
    cairo_arc(cr, cx, cy + 0.5, seat, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.65);
    cairo_fill(cr);
    if (on) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, seat - 3, cx, cy, seat + 7);
        cairo_pattern_add_color_stop_rgba(halo, 0.0, colours::Cyan.r, colours::Cyan.g, colours::Cyan.b, 0.45);
        cairo_pattern_add_color_stop_rgba(halo, 1.0, colours::Cyan.r, colours::Cyan.g, colours::Cyan.b, 0.0);
        cairo_set_source(cr, halo);
        cairo_arc(cr, cx, cy, seat + 7, 0, 2 * Pi);
        cairo_arc_negative(cr, cx, cy, seat - 0.5, 2 * Pi, 0);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
    }
    // Bezel: a metal ring lit from above.
    cairo_pattern_t* bezel = cairo_pattern_create_linear(0, cy - seat, 0, cy + seat);
    const Rgb bezelTop = scaled(face, 2.4), bezelBottom = scaled(face, 0.7);
    cairo_pattern_add_color_stop_rgb(bezel, 0.0, bezelTop.r, bezelTop.g, bezelTop.b);
    cairo_pattern_add_color_stop_rgb(bezel, 1.0, bezelBottom.r, bezelBottom.g, bezelBottom.b);
    cairo_arc(cr, cx, cy, seat - 1.0, 0, 2 * Pi);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);
    // The light ring between bezel and cap.
    const double ringOuter = seat - 2.5, ringInner = seat - 4.5;
    cairo_arc(cr, cx, cy, ringOuter, 0, 2 * Pi);
    cairo_arc_negative(cr, cx, cy, ringInner, 2 * Pi, 0);
    if (on)
        setSource(cr, mixed(colours::Cyan, {1, 1, 1}, 0.25));
    else
        setSource(cr, scaled(colours::Cyan, dark ? 0.05 : 0.16));
    cairo_fill(cr);
    // The cap, domed.
    const double capRadius = ringInner - 0.5;
    cairo_pattern_t* cap = cairo_pattern_create_radial(cx - 2.5, cy - 4, 1, cx, cy, capRadius);
    const Rgb capLight = scaled(face, dark ? 1.7 : 2.0), capEdge = scaled(face, 0.95);
    cairo_pattern_add_color_stop_rgb(cap, 0.0, capLight.r, capLight.g, capLight.b);
    cairo_pattern_add_color_stop_rgb(cap, 1.0, capEdge.r, capEdge.g, capEdge.b);
    cairo_arc(cr, cx, cy, capRadius, 0, 2 * Pi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, cx, cy, capRadius - 0.5, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_stroke(cr);

    cairo_set_line_width(cr, 1.7);
    if (on) {
        setSource(cr, colours::Cyan, 0.35);
        cairo_set_line_width(cr, 3.2);
        powerSymbol(cr, cx, cy + 0.5, 4.8);
        cairo_set_line_width(cr, 1.7);
        setSource(cr, mixed(colours::Cyan, {1, 1, 1}, 0.45));
    } else {
        setSource(cr, dark ? colours::DarkLabel : scaled(colours::Label, 0.85));
    }
    powerSymbol(cr, cx, cy + 0.5, 4.8);

    // The switch's name and its state.
    const Rgb name = dark ? colours::DarkLabel : colours::Label;
    text(cr, "PANORIX", {"DejaVu Sans", 11.0, true, 1.0}, cx, 57, Align::Centre, name);
    text(cr, "SURROUND", {"DejaVu Sans", 7.0, false, 1.6}, cx, 67, Align::Centre, name, 0.75);
    const TextStyle state{"DejaVu Sans", 7.5, true, 0.6};
    const double lampY = 86;
    const double baseline = capCentredBaseline(cr, state, lampY);
    lamp(cr, 31.5, lampY, 3.0, colours::Cyan, dark ? LampState::Dark : on ? LampState::Lit : LampState::Off);
    text(cr, "ON", state, 38, baseline, Align::Left,
         dark ? colours::DarkLabel
         : on ? colours::LitLabel
              : colours::Label);
    lamp(cr, 64.5, lampY, 3.0, colours::Red, dark ? LampState::Dark : on ? LampState::Off : LampState::Lit);
    text(cr, "OFF", state, 71, baseline, Align::Left,
         dark ? colours::DarkLabel
         : on ? colours::Label
              : colours::LitLabel);
    return s;
}

Surface presetButton(int preset, int image) {
    return lampKey(PresetRects[preset], PresetLabels[preset], image, Align::Centre, colours::Cyan, lampFor(image),
                   labelFor(image));
}

Surface levelButton(int level, int image) {
    const Rect& r = LevelRects[level];
    if (image != 3)
        return lampKey(r, LevelLabels[level], image, Align::Left, colours::Cyan, lampFor(image), labelFor(image));
    // Chosen by Auto: Auto's amber lamp instead of the blue one, and a mark that says the rating,
    // not the user, chose this level.
    Surface s = lampKey(r, LevelLabels[level], 0, Align::Left, colours::Amber, LampState::Lit, colours::LitLabel);
    Painter cr(s.get());
    const double centreY = r.h / 2.0;
    const TextStyle mark{"DejaVu Sans", 7.5, true};
    text(cr, "auto", mark, r.w - 6, capCentredBaseline(cr, KeyLabel, centreY), Align::Right, colours::Amber);
    return s;
}

Surface autoButton(int image) {
    return lampKey(AutoRect, "Auto", image, Align::Left, colours::Amber, lampFor(image), labelFor(image));
}

}  // namespace tevaro::assetgen::panel
