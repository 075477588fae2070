#include "tools/assetgen/glintora_pictures.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/cairo_picture.h"

namespace tevaro::assetgen {

namespace {

constexpr double Pi = 3.14159265358979323846;

ArchivePicture blackPicture(int width, int height) {
    ArchivePicture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return p;
}

// A round glow: colour at full strength in the middle, falling off smoothly to black at `radius`.
void glow(cairo_t* cr, double x, double y, double radius, double r, double g, double b, double strength) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    // A gaussian-like falloff reads as light rather than as a disc with an edge.
    for (int i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        const double a = strength * std::exp(-4.0 * t * t) * (1.0 - t);
        cairo_pattern_add_color_stop_rgba(pattern, t, r, g, b, a);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, x, y, radius, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

// Masks: only their blue channel matters (it becomes the stars' opacity), so blue rides at the top
// while a little red and green keep them recognisable as soft blue discs.
ArchivePicture maskDisc(double radius, double strength) {
    CairoPicture picture(64, 64);
    cairo_t* cr = picture.cr();
    cairo_pattern_t* pattern = cairo_pattern_create_radial(32, 32, 0, 32, 32, radius);
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        const double v = strength * (t < 0.35 ? 1.0 : std::pow(std::cos((t - 0.35) / 0.65 * Pi / 2), 1.6));
        cairo_pattern_add_color_stop_rgb(pattern, t, 0.35 * v, 0.55 * v, v);
    }
    cairo_set_source(cr, pattern);
    cairo_arc(cr, 32, 32, radius, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    return picture.picture();
}

// One tapering ray from the centre, white at the root and pale blue towards the tip.
void ray(cairo_t* cr, double cx, double cy, double angle, double length, double halfWidth) {
    const double dx = std::cos(angle), dy = std::sin(angle);
    const double nx = -dy, ny = dx;
    cairo_pattern_t* pattern = cairo_pattern_create_linear(cx, cy, cx + dx * length, cy + dy * length);
    cairo_pattern_add_color_stop_rgba(pattern, 0.0, 1.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgba(pattern, 0.35, 0.80, 0.90, 1.0, 0.85);
    cairo_pattern_add_color_stop_rgba(pattern, 1.0, 0.45, 0.65, 1.0, 0.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source(cr, pattern);
    cairo_move_to(cr, cx + nx * halfWidth, cy + ny * halfWidth);
    cairo_line_to(cr, cx + dx * length, cy + dy * length);
    cairo_line_to(cr, cx - nx * halfWidth, cy - ny * halfWidth);
    cairo_line_to(cr, cx - dx * halfWidth * 0.5, cy - dy * halfWidth * 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

// Eight-pointed sparkle: four long rays on the axes, four shorter on the diagonals, a soft halo
// and a white core. `size` 0 is the largest (entry 54), 8 the smallest (entry 62).
ArchivePicture sparkle(int size) {
    CairoPicture picture(64, 64);
    cairo_t* cr = picture.cr();
    const double scale = 1.0 - size * 0.095;  // 1.0 .. 0.24
    const double c = 32.0;
    const double longRay = 31.0 * scale, shortRay = 17.0 * scale;
    glow(cr, c, c, 22.0 * scale + 3, 0.35, 0.55, 1.0, 0.55);
    for (int k = 0; k < 4; ++k) ray(cr, c, c, k * Pi / 2, longRay, 1.1 + 1.6 * scale);
    for (int k = 0; k < 4; ++k) ray(cr, c, c, Pi / 4 + k * Pi / 2, shortRay, 0.8 + 1.1 * scale);
    glow(cr, c, c, 6.0 * scale + 2.0, 1.0, 1.0, 1.0, 1.0);
    return picture.picture();
}

ArchivePicture faintDot() {
    CairoPicture picture(64, 64);
    glow(picture.cr(), 32, 32, 4.5, 0.55, 0.70, 1.0, 0.45);
    return picture.picture();
}

// Small background stars, cyan: dots, glows, and the two largest glows at 66 and 67.
ArchivePicture backgroundStar(int index) {
    struct Look {
        double radius, strength, core;
    };
    static constexpr Look looks[8] = {
        {2.2, 0.9, 0.0},  {3.0, 0.7, 0.0},  {7.5, 0.55, 0.9}, {6.5, 0.6, 0.7},
        {1.8, 0.55, 0.0}, {3.5, 0.85, 0.5}, {4.5, 0.45, 0.4}, {5.0, 0.35, 0.5},
    };
    const Look& look = looks[index];
    CairoPicture picture(16, 16);
    cairo_t* cr = picture.cr();
    // Centred on a pixel, so the smallest dots are one bright pixel with a soft rim, not a 2 x 2 block.
    glow(cr, 7.5, 7.5, look.radius, 0.35, 0.95, 1.0, look.strength);
    if (look.core > 0) glow(cr, 7.5, 7.5, 1.8, 0.85, 1.0, 1.0, look.core);
    return picture.picture();
}

// Fully saturated hue cycle, stored row 0 red through yellow, green, cyan, blue, magenta, back to red.
ArchivePicture hueStrip() {
    ArchivePicture p;
    p.width = 1;
    p.height = 320;
    p.format = EntryFormat::Raw24;
    for (int row = 0; row < 320; ++row) {
        const double h = 6.0 * row / 319.0;
        const int sector = std::min(static_cast<int>(h), 5);
        const double f = h - sector;
        double r = 0, g = 0, b = 0;
        switch (sector) {
            case 0:
                r = 1;
                g = f;
                break;
            case 1:
                r = 1 - f;
                g = 1;
                break;
            case 2:
                g = 1;
                b = f;
                break;
            case 3:
                g = 1 - f;
                b = 1;
                break;
            case 4:
                r = f;
                b = 1;
                break;
            default:
                r = 1;
                b = 1 - f;
                break;
        }
        auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(v * 255.0)); };
        p.pixels.push_back(byte(r) << 16 | byte(g) << 8 | byte(b));
    }
    return p;
}

}  // namespace

std::vector<ArchivePicture> glintoraPictures() {
    std::vector<ArchivePicture> entries;
    entries.push_back(maskDisc(20.0, 1.0));  // 1: small
    entries.push_back(maskDisc(31.0, 1.0));  // 2: large
    entries.push_back(maskDisc(31.0, 0.6));  // 3: large and dim
    for (int n = 4; n <= 9; ++n) entries.push_back(blackPicture(1, 1));
    for (int n = 10; n <= 53; ++n) entries.push_back(blackPicture(64, 64));
    for (int size = 0; size <= 8; ++size)  // 54..62
        entries.push_back(sparkle(size));
    entries.push_back(faintDot());  // 63
    for (int k = 0; k < 8; ++k)     // 64..71
        entries.push_back(backgroundStar(k));
    entries.push_back(hueStrip());  // 72
    return entries;
}

}  // namespace tevaro::assetgen
