#include "tools/assetgen/help_pictures.h"

#include <cmath>
#include <string>

#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;

// The page is white; the panel's graphite and blue mark its headings and links.
constexpr Rgb Ink{0.13, 0.15, 0.19};
constexpr Rgb Link{0.07, 0.42, 0.78};
constexpr TextStyle Body{"DejaVu Sans", 10.0};
constexpr TextStyle Small{"DejaVu Sans", 9.0};
constexpr double BodyLine = 12.0;
constexpr int BarHeight = 16;
constexpr int BodyTop = 16;
constexpr int BodyLeft = 8;

Surface whitePage(int width, int height) {
    Surface s = newSurface(width, height);
    Painter cr(s.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    return s;
}

// A section's heading: a graphite bar with a lit lamp and the title, and at its right end (x
// 424..439, y 3..14) the round "to the top" button when the section has one.
void sectionBar(cairo_t* cr, const char* title, bool toTheTop, double width = 441) {
    roundedRect(cr, 0.5, 0.5, width - 1, BarHeight - 1, 4);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 0, 0, BarHeight);
    const Rgb top = scaled(colours::Face, 1.7), bottom = scaled(colours::Face, 0.8);
    cairo_pattern_add_color_stop_rgb(metal, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(metal, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    lamp(cr, 8.5, 8, 2.6, colours::Cyan, LampState::Lit);
    const TextStyle heading{"DejaVu Sans", 10.0, true, 0.2};
    text(cr, title, heading, 17, capCentredBaseline(cr, heading, 8), Align::Left, colours::LitLabel);
    if (!toTheTop) return;
    const double cx = 431.5, cy = 8.5;
    cairo_arc(cr, cx, cy, 6.5, 0, 2 * Pi);
    setSource(cr, scaled(colours::Face, 0.6));
    cairo_fill_preserve(cr);
    setSource(cr, colours::Cyan, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy - 3.5);
    cairo_line_to(cr, cx + 3.5, cy + 2.5);
    cairo_line_to(cr, cx - 3.5, cy + 2.5);
    cairo_close_path(cr);
    setSource(cr, colours::LitLabel);
    cairo_fill(cr);
}

double body(cairo_t* cr, const char* markup, double top = BodyTop, double width = 425) {
    return paragraph(cr, markup, Body, BodyLeft, top, width, Ink, BodyLine);
}

// A link drawn as a blue key over its hot rectangle (inclusive pixel ranges, cut at the picture).
void linkKey(cairo_t* cr, int xFirst, int xLast, int yFirst, int yLast, const char* label) {
    const double w = xLast - xFirst + 1, h = yLast - yFirst + 1;
    roundedRect(cr, xFirst + 0.5, yFirst + 0.5, w - 1, h - 1, std::fmin(6.0, h / 2));
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, yFirst, 0, yLast);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.20, 0.58, 0.95);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.05, 0.32, 0.66);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    const TextStyle style{"DejaVu Sans", 9.5, true};
    text(cr, label, style, xFirst + w / 2, capCentredBaseline(cr, style, yFirst + h / 2 - 0.5), Align::Centre,
         {1, 1, 1});
}

// An overview label: blue underlined text centred over its hot rectangle.
void overviewLabel(cairo_t* cr, int xFirst, int xLast, int yFirst, int yLast, const char* label) {
    const TextStyle style{"DejaVu Sans", 10.0, true};
    const double centre = (xFirst + xLast + 1) / 2.0;
    const double baseline = capCentredBaseline(cr, style, (yFirst + yLast) / 2.0);
    text(cr, label, style, centre, baseline, Align::Centre, Link);
    const double w = textWidth(cr, label, style);
    setSource(cr, Link, 0.7);
    cairo_rectangle(cr, std::round(centre - w / 2), baseline + 2, std::round(w), 1);
    cairo_fill(cr);
}

// A leader from a label to the part of the panel sketch it names.
void leader(cairo_t* cr, double x0, double y0, double x1, double y1) {
    setSource(cr, Link, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, x0 + 0.5, y0);
    cairo_line_to(cr, x1 + 0.5, y1);
    cairo_stroke(cr);
    cairo_arc(cr, x1 + 0.5, y1, 2, 0, 2 * Pi);
    cairo_fill(cr);
}

Surface overview() {
    Surface s = whitePage(425, 143);
    Painter cr(s.get());
    // The panel in small, 340 x 62, between the two rows of labels.
    const double px = 42, py = 40, pw = 340, ph = 62;
    roundedRect(cr, px, py, pw, ph, 5);
    setSource(cr, colours::Face);
    cairo_fill(cr);
    setSource(cr, scaled(colours::Face, 2.2));
    cairo_set_line_width(cr, 1);
    roundedRect(cr, px + 0.5, py + 0.5, pw - 1, ph - 1, 5);
    cairo_stroke(cr);
    // Switch, display over the presets, levels over Auto, and the Info module with its logo.
    key(cr, px + 8, py + 10, 42, 42, 6, KeyState::Raised, false);
    lamp(cr, px + 29, py + 31, 4, colours::Cyan, LampState::Lit);
    displayGlass(cr, px + 58, py + 6, 168, 34, 4, true);
    text(cr, "Movie   Max", {"DejaVu Sans", 9.0, true, 0.5}, px + 142, py + 27, Align::Centre, colours::Cyan);
    for (int i = 0; i < 5; ++i) key(cr, px + 58 + i * 34, py + 44, 31, 12, 3, KeyState::Raised, false);
    for (int i = 0; i < 4; ++i) key(cr, px + 234, py + 6 + i * 13, 48, 11, 3, KeyState::Raised, false);
    lamp(cr, px + 241, py + 50.5, 2.2, colours::Amber, LampState::Lit);
    headphones(cr, px + 311, py + 24, 0.7, true, false);
    key(cr, px + 292, py + 46, 18, 10, 3, KeyState::Raised, false);
    key(cr, px + 314, py + 46, 18, 10, 3, KeyState::Raised, false);

    overviewLabel(cr, 51, 109, 3, 14, "Surround");
    overviewLabel(cr, 161, 219, 3, 14, "Presets");
    overviewLabel(cr, 261, 319, 3, 14, "Quality");
    overviewLabel(cr, 371, 409, 3, 14, "Web");
    overviewLabel(cr, 116, 174, 126, 139, "Auto");
    overviewLabel(cr, 291, 334, 126, 139, "Dark?");
    overviewLabel(cr, 351, 404, 126, 139, "Warning");
    leader(cr, 80, 18, px + 29, py + 12);
    leader(cr, 190, 18, px + 126, py + 46);
    leader(cr, 290, 18, px + 258, py + 8);
    leader(cr, 390, 18, px + 311, py + 14);
    leader(cr, 145, 124, px + 258, py + 50);
    leader(cr, 312, 124, px + 160, py + 36);
    leader(cr, 377, 124, px + 270, py + 24);
    return s;
}

Surface section(int width, int height, const char* title, bool toTheTop, const char* markup) {
    Surface s = whitePage(width, height);
    Painter cr(s.get());
    sectionBar(cr, title, toTheTop, width);
    // A one-line section keeps its descenders inside the picture.
    const double top = height < 30 ? BodyTop - 1 : BodyTop;
    if (markup != nullptr) body(cr, markup, top, width - 16);
    return s;
}

Surface introduction() {
    Surface s = whitePage(441, 99);
    Painter cr(s.get());
    text(cr, "Welcome to Tevaro Player SE", {"DejaVu Sans", 14.0, true}, BodyLeft, 16, Align::Left, Ink);
    body(cr,
         "Tevaro Player SE puts a room of loudspeakers around your headphones. Music stops sounding "
         "as if it plays inside your head and opens up in front of you, as it does from good speakers. "
         "Everything is set from the small panel in the player: the overview below shows what each part "
         "does. Click a blue word to jump to its section, and the round arrow of a heading to come back here.",
         24);
    return s;
}

// The Spatio and Panorix marks that open their sections: a short rule and a small badge.
Surface dottedRule(int width, int height) {
    Surface s = whitePage(width, height);
    Painter cr(s.get());
    for (int x = 2; x < width; x += 5) {
        cairo_arc(cr, x + 0.5, height / 2.0, 1.3, 0, 2 * Pi);
        setSource(cr, Link, 0.35 + 0.6 * x / width);
        cairo_fill(cr);
    }
    return s;
}

Surface badge(int width, int height, const char* letter) {
    Surface s = whitePage(width, height);
    Painter cr(s.get());
    const double r = std::fmin(width, height) / 2.0 - 0.5;
    cairo_arc(cr, width / 2.0, height / 2.0, r, 0, 2 * Pi);
    setSource(cr, colours::Face);
    cairo_fill(cr);
    const TextStyle style{"DejaVu Sans", r * 1.2, true};
    text(cr, letter, style, width / 2.0, capCentredBaseline(cr, style, height / 2.0), Align::Centre, colours::Cyan);
    return s;
}

Surface webSection() {
    Surface s = section(441, 29, "On the web", true, nullptr);
    Painter cr(s.get());
    linkKey(cr, 141, 209, 11, 28, "Vardal");
    text(cr, "news, updates and help from the makers", Small, 218, 26, Align::Left, Ink);
    return s;
}

Surface spatioSection() {
    Surface s = section(441, 58, "Spatio: sound in front of you", false, nullptr);
    Painter cr(s.get());
    body(cr,
         "Spatio places the music on a stage in front of you, the way a pair of speakers "
         "would, instead of between your ears.",
         BodyTop, 240);
    linkKey(cr, 261, 349, 26, 49, "Spatio info");
    return s;
}

Surface panorixSection() {
    Surface s = section(441, 86, "Panorix: the room around you", false, nullptr);
    Painter cr(s.get());
    body(cr,
         "Panorix is the surround switch's engine. It finds what in a stereo recording belongs "
         "to the sides and the back, sends it round to virtual speakers behind you, and adds the "
         "gentle echo of a real room.",
         BodyTop, 425);
    linkKey(cr, 301, 429, 56, 74, "Panorix info page");
    return s;
}

Surface presetGuide() {
    Surface s = whitePage(420, 221);
    Painter cr(s.get());
    sectionBar(cr, "The five presets in detail", false, 420);
    struct Entry {
        const char* name;
        const char* what;
    };
    const Entry entries[] = {
        {"Rock/Pop", "Punchy and close, like a club stage: drums and bass in front, voices clear."},
        {"Classic", "A concert hall: wide and deep, with a long, soft echo for orchestras and choirs."},
        {"jazz", "A small room with the band near you: warm, intimate, little echo."},
        {"Movie", "Cinema sound: effects wrap around and behind you, dialogue stays in the middle."},
        {"Neutral", "The lightest touch: speakers in front of you and nothing else changed."},
    };
    double top = BodyTop + 2;
    for (const Entry& e : entries) {
        text(cr, e.name, {"DejaVu Sans", 10.0, true}, BodyLeft, top + 9, Align::Left, Link);
        top = paragraph(cr, e.what, Body, 76, top, 336, Ink, BodyLine) + 14;
    }
    return s;
}

Surface closing() {
    Surface s = whitePage(441, 43);
    Painter cr(s.get());
    setSource(cr, colours::Cyan, 0.8);
    cairo_rectangle(cr, BodyLeft, 2, 425, 1);
    cairo_fill(cr);
    text(cr, "Enjoy listening!", {"DejaVu Sans", 11.0, true}, BodyLeft, 20, Align::Left, Ink);
    text(cr, "Tevaro Player SE, by Vardal Acoustics. Copyright © 2002–2026.", Small, BodyLeft, 36, Align::Left,
         scaled(Ink, 2.5));
    return s;
}

}  // namespace

Surface helpHeader() {
    constexpr int Width = 480, Height = 61;
    Surface s = newSurface(Width, Height);
    Painter cr(s.get());
    faceplate(cr, 0, 0, Width, Height, false);
    headphones(cr, 34, 27, 1.25, true, false);
    glowingText(cr, "Tevaro Player SE", {"DejaVu Sans", 19.0, true, 0.5}, 66, 30, Align::Left, colours::LitLabel, 0.25);
    text(cr, "HELP  ·  HEADPHONE SURROUND", {"DejaVu Sans", 9.0, false, 1.6}, 67, 47, Align::Left, colours::Cyan);
    setSource(cr, colours::Cyan);
    cairo_rectangle(cr, 0, Height - 2, Width, 2);
    cairo_fill(cr);
    return s;
}

Surface helpStrip() {
    constexpr int Width = 14, Height = 647;
    Surface s = newSurface(Width, Height);
    Painter cr(s.get());
    // Across only: every row is alike, so the overlapping copies join without a seam.
    cairo_pattern_t* across = cairo_pattern_create_linear(0, 0, Width, 0);
    const Rgb dark = scaled(colours::Face, 0.9), light = scaled(colours::Face, 1.9);
    cairo_pattern_add_color_stop_rgb(across, 0.0, dark.r, dark.g, dark.b);
    cairo_pattern_add_color_stop_rgb(across, 0.6, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(across, 1.0, dark.r, dark.g, dark.b);
    cairo_set_source(cr, across);
    cairo_paint(cr);
    cairo_pattern_destroy(across);
    setSource(cr, colours::Cyan, 0.9);
    cairo_rectangle(cr, Width - 3, 0, 1, Height);
    cairo_fill(cr);
    return s;
}

Surface helpPicture(int id) {
    switch (id) {
        case 465:
            return introduction();
        case 466:
            return overview();
        case 467:
            return section(441, 73, "The surround switch", true,
                           "The big key on the left turns surround on and off; its lamp is blue while it is on. "
                           "Switched off, you hear the player exactly as it is, and the presets and quality keys "
                           "rest. Try switching it during a song: the music steps out of your head and in front "
                           "of you.");
        case 468:
            return section(441, 39, "Presets", true,
                           "Five keys under the display choose the room you hear; the detail is further down.");
        case 469:
            return section(441, 135, "Quality: Min, Mid and Max", true,
                           "The three keys beside the display choose how much work the computer puts into the "
                           "sound.\n<b>Min</b> costs very little: the speakers in front of you, no room and no "
                           "sound from behind. Right for slow computers and for watching video.\n<b>Mid</b> "
                           "adds the room's echo: fuller and more natural, for a moderate cost.\n<b>Max</b> "
                           "adds the speakers behind you, with the longest filters: the most spacious sound, "
                           "and the heaviest load. If playback stutters, step down.");
        case 470:
            return section(441, 40, "Auto", true,
                           "With Auto lit, the panel rates your processor and picks the level it can carry.");
        case 471:
            return section(441, 27, "Why is the panel dark?", true,
                           "The DSP plug-in is off: Tools &gt; Plug-ins &gt; Tevaro Player SE DSP.");
        case 472:
            return section(441, 27, "The quality warning", true,
                           "A higher level may slow a weak computer; choose Auto if playback stutters.");
        case 473:
            return dottedRule(24, 8);
        case 474:
            return badge(32, 21, "S");
        case 476:
            return webSection();
        case 477:
            return spatioSection();
        case 478:
            return dottedRule(51, 8);
        case 479:
            return badge(22, 24, "P");
        case 480:
            return panorixSection();
        case 481:
            return presetGuide();
        case 482:
            return section(441, 28, "Listening tips", false, nullptr);
        case 483: {
            Surface s = whitePage(420, 86);
            Painter cr(s.get());
            paragraph(cr,
                      "• Wear the headphones the right way round: left on the left ear.\n"
                      "• Set the player's volume a little lower than usual: the room makes music sound "
                      "louder.\n"
                      "• Each preset suits some music better than others: let a song play a minute before "
                      "you judge.\n"
                      "• For speakers, not headphones, switch surround off.",
                      Body, BodyLeft, 2, 404, Ink, BodyLine);
            return s;
        }
        case 484:
            return section(441, 39, "No change in the sound?", false,
                           "Check that the switch's lamp is blue and that the player's DSP plug-in is on.");
        case 485:
            return closing();
        default:
            return whitePage(1, 1);
    }
}

const char* helpCaption(int id) {
    switch (id) {
        case 463:
            return "help: page header";
        case 464:
            return "help: side strip";
        case 465:
            return "help: welcome";
        case 466:
            return "help: overview with its seven labels";
        case 467:
            return "help: the surround switch";
        case 468:
            return "help: presets";
        case 469:
            return "help: quality levels";
        case 470:
            return "help: Auto";
        case 471:
            return "help: the dark panel";
        case 472:
            return "help: the quality warning";
        case 473:
            return "help: Spatio rule";
        case 474:
            return "help: Spatio badge";
        case 476:
            return "help: web link";
        case 477:
            return "help: Spatio";
        case 478:
            return "help: Panorix rule";
        case 479:
            return "help: Panorix badge";
        case 480:
            return "help: Panorix";
        case 481:
            return "help: the presets in detail";
        case 482:
            return "help: tips heading";
        case 483:
            return "help: listening tips";
        case 484:
            return "help: no change in the sound";
        case 485:
            return "help: closing words";
        default:
            return "help";
    }
}

}  // namespace tevaro::assetgen::panel
