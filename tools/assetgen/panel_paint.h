#pragma once
// The control panel's drawing kit: one palette, the brushed-metal faceplate every control is cut
// from, raised keys, lamps, the recessed display glass and Pango text. Every picture of the panel
// is drawn with these, so the controls read as one device when the panel puts them side by side.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

namespace tevaro::assetgen::panel {

struct Rgb {
    double r, g, b;
};

Rgb scaled(Rgb c, double k);
Rgb mixed(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
void setSource(cairo_t* cr, Rgb c, double alpha = 1.0);

namespace colours {
inline constexpr Rgb Face{0.170, 0.180, 0.200};      // the faceplate's brushed graphite
inline constexpr Rgb DarkFace{0.068, 0.070, 0.076};  // the same plate with the DSP disabled
inline constexpr Rgb Cyan{0.30, 0.76, 1.00};         // lit lamps and display text: the product's blue
inline constexpr Rgb Amber{1.00, 0.66, 0.16};        // whatever Auto chose
inline constexpr Rgb Red{0.95, 0.26, 0.20};          // the switch's standby lamp
inline constexpr Rgb Label{0.74, 0.77, 0.82};        // engraved and key labels
inline constexpr Rgb LitLabel{0.90, 0.97, 1.00};     // the label of a key whose lamp is lit
inline constexpr Rgb DarkLabel{0.25, 0.26, 0.28};    // labels with the DSP disabled
}  // namespace colours

// An owned RGB24 image surface; the panel's bitmaps have no alpha.
struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
Surface newSurface(int width, int height);

// A cairo context on a surface, destroyed with the object.
class Painter {
public:
    explicit Painter(cairo_surface_t* surface) : cr_(cairo_create(surface)) {}
    ~Painter() { cairo_destroy(cr_); }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;
    operator cairo_t*() const { return cr_; }

private:
    cairo_t* cr_;
};

// Brushed metal as a brightness factor around 1: long streaks along x, each row its own.
// `periodX` > 0 makes the streaks repeat after that many pixels (rows repeat by construction), so
// a picture of periodX columns tiles without a seam.
double brushedFactor(int x, int y, int periodX, std::uint32_t seed);

// The panel (565 × 104) is one brushed plate with a bevelled rim and engraved grooves between its
// modules. A control's picture starts as the part of that plate under the control's rectangle, so
// the streaks and the rim run on unbroken from one control into the next.
inline constexpr int PanelWidth = 565;
inline constexpr int PanelHeight = 104;
void faceplate(cairo_t* cr, int panelX, int panelY, int width, int height, bool dark);

enum class KeyState { Raised, Pressed };
// A rounded key: drop shadow, graded cap, lit top edge; pressed keys sit lower with the shade inverted.
void key(cairo_t* cr, double x, double y, double w, double h, double radius, KeyState state, bool dark);

enum class LampState { Off, Lit, Dark };
// A small round lamp behind glass; lit lamps throw a halo over the key around them.
void lamp(cairo_t* cr, double cx, double cy, double radius, Rgb colour, LampState state);

// The recessed display glass: shaded rim, deep blue glass with faint scan lines. `lit` is the
// display's backlight: off for a display with nothing to show.
void displayGlass(cairo_t* cr, double x, double y, double w, double h, double radius, bool lit);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// Text through Pango with hinting tuned for small sizes. Sizes are in pixels; `x` is the left edge,
// the centre or the right edge by `align`, `baseline` the baseline's row.
enum class Align { Left, Centre, Right };
struct TextStyle {
    const char* family = "DejaVu Sans";
    double px = 10.0;
    bool bold = false;
    double letterSpacing = 0.0;  // extra pixels between letters, for small capitals
};
double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
void text(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double baseline, Align align,
          Rgb colour, double alpha = 1.0);
// Pango markup wrapped at `width` from (x, top); lines `lineHeight` apart (0: the font's own).
// Answers the bottom of the last line.
double paragraph(cairo_t* cr, const std::string& markup, const TextStyle& style, double x, double top, double width,
                 Rgb colour, double lineHeight = 0);
// The baseline that centres the style's capital letters on row `centreY`.
double capCentredBaseline(cairo_t* cr, const TextStyle& style, double centreY);
// Drops Pango's, cairo's and fontconfig's process-wide font caches. Called once at exit, so a leak
// checker (the sanitizer tree runs the generator) sees only what the drawing itself kept.
void releaseFontCaches();

// The same text with a soft glow of its own colour around it, as a lit display shows it.
void glowingText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double baseline, Align align,
                 Rgb colour, double glow);

}  // namespace tevaro::assetgen::panel
