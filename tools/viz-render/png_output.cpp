#include "tools/viz-render/png_output.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tevaro::vizrender {

namespace {

cairo_surface_t* surfaceOf(const Screen& screen) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen.width, screen.height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < screen.height; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride));
        for (int x = 0; x < screen.width; ++x)
            row[x] = screen.pixels[static_cast<std::size_t>(y * screen.width + x)] & viz::ColourBits;
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

}  // namespace

bool writePng(const Screen& screen, const std::string& path) {
    cairo_surface_t* surface = surfaceOf(screen);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool writeContactSheet(const std::vector<Screen>& frames, const std::vector<int>& numbers, const std::string& title,
                       const std::string& path) {
    if (frames.empty()) return false;
    const int columns = std::min<int>(4, static_cast<int>(frames.size()));
    const int rows = (static_cast<int>(frames.size()) + columns - 1) / columns;
    const double scale = std::min(1.0, 240.0 / frames[0].width);
    const int cellW = static_cast<int>(std::ceil(frames[0].width * scale));
    const int cellH = static_cast<int>(std::ceil(frames[0].height * scale));
    const int gap = 8, label = 18, header = 28;
    const int width = columns * (cellW + gap) + gap;
    const int height = header + rows * (cellH + label + gap) + gap;

    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.09, 0.09, 0.11);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 15);
    cairo_set_source_rgb(cr, 0.85, 0.9, 1.0);
    cairo_move_to(cr, gap, 20);
    cairo_show_text(cr, title.c_str());
    cairo_set_font_size(cr, 11);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int col = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        const double x = gap + col * (cellW + gap);
        const double y = header + row * (cellH + label + gap);
        cairo_surface_t* frame = surfaceOf(frames[i]);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, frame, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(frame);
        char text[32];
        std::snprintf(text, sizeof text, "frame %d", numbers[i]);
        cairo_set_source_rgb(cr, 0.6, 0.65, 0.75);
        cairo_move_to(cr, x, y + cellH + 13);
        cairo_show_text(cr, text);
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return ok;
}

}  // namespace tevaro::vizrender
