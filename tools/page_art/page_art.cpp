// Draws the DSP property page's picture (157 × 143, 24 bits per pixel) and writes it as a
// bottom-up BMP for the resource compiler: a pair of headphones inside rings of sound that
// spread around the listener's head, the way the plug-in places the loudspeakers.
//
//   page_art OUT.bmp      (built with -I at the tree's root: the BMP writer is assetgen's)
#include <cairo.h>

#include <cmath>
#include <cstdio>

#include "tools/assetgen/bmp24.h"

namespace {

constexpr int Width = 157;
constexpr int Height = 143;
constexpr double Pi = 3.14159265358979323846;

void background(cairo_t* cr) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, Height);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.07, 0.12, 0.26);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.02, 0.03, 0.08);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
}

// Rings of sound around the head, brighter towards the simulated loudspeakers' directions.
void soundField(cairo_t* cr, double cx, double cy) {
    for (int ring = 0; ring < 6; ++ring) {
        const double r = 26 + ring * 11.0;
        const double fade = 1.0 - ring / 7.0;
        for (int speaker = 0; speaker < 5; ++speaker) {
            const double centre = (-90 + (speaker - 2) * 50.0) * Pi / 180.0;  // front three, two rear
            const double a = speaker == 0 || speaker == 4 ? centre + Pi / 2 : centre;
            cairo_set_source_rgba(cr, 0.35, 0.75, 1.0, 0.55 * fade);
            cairo_set_line_width(cr, 2.2 - ring * 0.25);
            cairo_arc(cr, cx, cy, r, a - 0.32, a + 0.32);
            cairo_stroke(cr);
        }
    }
}

void headphones(cairo_t* cr, double cx, double cy) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Head band.
    cairo_set_source_rgb(cr, 0.80, 0.84, 0.90);
    cairo_set_line_width(cr, 5.0);
    cairo_arc(cr, cx, cy + 4, 25, Pi * 1.08, Pi * 1.92);
    cairo_stroke(cr);
    // Ear cups with a metallic shade.
    for (int side = -1; side <= 1; side += 2) {
        const double x = cx + side * 25.5;
        cairo_pattern_t* metal = cairo_pattern_create_linear(x - 8, 0, x + 8, 0);
        cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.55, 0.60, 0.70);
        cairo_pattern_add_color_stop_rgb(metal, 0.5, 0.95, 0.97, 1.00);
        cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.45, 0.50, 0.60);
        cairo_set_source(cr, metal);
        cairo_save(cr);
        cairo_translate(cr, x, cy + 10);
        cairo_scale(cr, 7.5, 12.0);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(metal);
        cairo_set_source_rgb(cr, 0.20, 0.55, 0.95);
        cairo_arc(cr, x - side * 3.0, cy + 10, 3.0, 0, 2 * Pi);
        cairo_fill(cr);
    }
}

void caption(cairo_t* cr) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 15);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "TEVARO", &e);
    cairo_set_source_rgb(cr, 0.92, 0.95, 1.0);
    cairo_move_to(cr, (Width - e.width) / 2 - e.x_bearing, Height - 22);
    cairo_show_text(cr, "TEVARO");
    cairo_set_font_size(cr, 8.5);
    cairo_text_extents(cr, "headphone surround", &e);
    cairo_set_source_rgb(cr, 0.45, 0.78, 1.0);
    cairo_move_to(cr, (Width - e.width) / 2 - e.x_bearing, Height - 9);
    cairo_show_text(cr, "headphone surround");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: page_art OUT.bmp\n");
        return 2;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
    const double cx = Width / 2.0, cy = 56.0;
    background(cr);
    soundField(cr, cx, cy);
    headphones(cr, cx, cy);
    caption(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const bool ok = tevaro::assetgen::writeBmp24(argv[1], surface);
    cairo_surface_destroy(surface);
    return ok ? 0 : 1;
}
