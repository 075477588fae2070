#include "tools/dsp-charts/chart_drawing.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tevaro::charts {
namespace {

constexpr int Width = 760, Height = 400;
constexpr double Left = 64, Right = 18, Top = 62, Bottom = 52;
constexpr double LegendY = 44;

void setRgb(cairo_t* cr, unsigned rgb, double alpha = 1.0) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha);
}

enum class Align { left, centre, right };

void text(cairo_t* cr, const std::string& s, double x, double y, const char* font, unsigned rgb,
          Align align = Align::left) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* desc = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_text(layout, s.c_str(), -1);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    const double dx = align == Align::left ? 0 : align == Align::centre ? w / 2.0 : w;
    setRgb(cr, rgb);
    cairo_move_to(cr, x - dx, y - h / 2.0);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(desc);
    g_object_unref(layout);
}

// A white card with the plot area's frame, and the y grid with its labels.
struct Plot {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
    cairo_t* cr = cairo_create(surface);
    double yLow, yHigh;

    Plot(double low, double high, const std::string& title, const std::string& yLabel, double yStep)
        : yLow(low), yHigh(high) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        text(cr, title, Left, 18, "DejaVu Sans Bold 12", 0x1d2433);
        for (double v = std::ceil(low / yStep) * yStep; v <= high + 1e-9; v += yStep) {
            const double y = yAt(v);
            setRgb(cr, 0xe3e7ee);
            cairo_set_line_width(cr, 1);
            cairo_move_to(cr, Left, std::round(y) + 0.5);
            cairo_line_to(cr, Width - Right, std::round(y) + 0.5);
            cairo_stroke(cr);
            char label[16];
            std::snprintf(label, sizeof label, "%+g", v);
            text(cr, v == 0 ? "0" : label, Left - 8, y, "DejaVu Sans 9", 0x5b6475, Align::right);
        }
        cairo_save(cr);
        cairo_translate(cr, 16, Top + (Height - Top - Bottom) / 2);
        cairo_rotate(cr, -M_PI / 2);
        text(cr, yLabel, 0, 0, "DejaVu Sans 9", 0x5b6475, Align::centre);
        cairo_restore(cr);
    }
    ~Plot() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    double yAt(double v) const {
        const double t = (std::clamp(v, yLow, yHigh) - yLow) / (yHigh - yLow);
        return Height - Bottom - t * (Height - Top - Bottom);
    }
    void frame() {
        setRgb(cr, 0x9aa3b2);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, Left + 0.5, Top + 0.5, Width - Left - Right - 1, Height - Top - Bottom - 1);
        cairo_stroke(cr);
    }
    bool write(const std::string& path) {
        cairo_surface_flush(surface);
        return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    }
};

}  // namespace

bool drawResponseChart(const std::string& pngPath, const std::string& title, const std::vector<double>& frequencies,
                       const std::vector<Curve>& curves) {
    Plot plot(-42, 6, title, "magnitude, dB", 6);
    cairo_t* cr = plot.cr;
    const double fLow = frequencies.front(), fHigh = frequencies.back();
    auto xAt = [&](double f) { return Left + std::log(f / fLow) / std::log(fHigh / fLow) * (Width - Left - Right); };
    for (double decade = 10; decade <= fHigh; decade *= 10) {
        for (int m : {1, 2, 5}) {
            const double f = decade * m;
            if (f < fLow || f > fHigh) continue;
            const double x = std::round(xAt(f)) + 0.5;
            setRgb(cr, m == 1 ? 0xd5dae3 : 0xeef0f4);
            cairo_move_to(cr, x, Top);
            cairo_line_to(cr, x, Height - Bottom);
            cairo_stroke(cr);
            char label[16];
            if (f >= 1000)
                std::snprintf(label, sizeof label, "%gk", f / 1000);
            else
                std::snprintf(label, sizeof label, "%g", f);
            text(cr, label, x, Height - Bottom + 12, "DejaVu Sans 9", 0x5b6475, Align::centre);
        }
    }
    text(cr, "frequency, Hz (44.1 kHz)", Left + (Width - Left - Right) / 2, Height - 14, "DejaVu Sans 9", 0x5b6475,
         Align::centre);
    cairo_save(cr);
    cairo_rectangle(cr, Left, Top, Width - Left - Right, Height - Top - Bottom);
    cairo_clip(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const Curve& c : curves) {
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            const double x = xAt(frequencies[i]), y = plot.yAt(c.db[i]);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        setRgb(cr, c.rgb);
        cairo_set_line_width(cr, 2.0);
        const double dash[] = {7, 4};
        cairo_set_dash(cr, dash, c.dashed ? 2 : 0, 0);
        cairo_stroke(cr);
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_restore(cr);
    plot.frame();
    // Legend along the top right.
    double x = Width - Right;
    for (auto c = curves.rbegin(); c != curves.rend(); ++c) {
        x -= 150;
        setRgb(cr, c->rgb);
        cairo_set_line_width(cr, 2.0);
        const double dash[] = {7, 4};
        cairo_set_dash(cr, dash, c->dashed ? 2 : 0, 0);
        cairo_move_to(cr, x, LegendY);
        cairo_line_to(cr, x + 24, LegendY);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        text(cr, c->label, x + 30, LegendY, "DejaVu Sans 9", 0x1d2433);
    }
    return plot.write(pngPath);
}

bool drawLoudnessChart(const std::string& pngPath, const std::vector<std::string>& signals,
                       const std::vector<LoudnessRow>& rows) {
    static const unsigned colours[] = {0xe07a1f, 0x2a7de1, 0x8e44ad, 0x16a085, 0xc0392b};
    Plot plot(-4, 4, "Loudness against bypass (BS.1770)", "LU", 1);
    cairo_t* cr = plot.cr;
    // The band a listener does not hear as a level jump.
    setRgb(cr, 0x2ecc71, 0.14);
    cairo_rectangle(cr, Left, plot.yAt(2), Width - Left - Right, plot.yAt(-2) - plot.yAt(2));
    cairo_fill(cr);
    text(cr, "±2 LU", Width - Right - 6, plot.yAt(2) + 10, "DejaVu Sans 8", 0x1e8449, Align::right);
    const double slot = (Width - Left - Right) / std::max<std::size_t>(rows.size(), 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double centre = Left + slot * (r + 0.5);
        text(cr, rows[r].quality, centre, Height - Bottom + 11, "DejaVu Sans 8", 0x5b6475, Align::centre);
        if (r % 3 == 1)
            text(cr, rows[r].preset, centre, Height - Bottom + 27, "DejaVu Sans Bold 9", 0x1d2433, Align::centre);
        if (r % 3 == 0 && r != 0) {
            setRgb(cr, 0xc9ced8);
            cairo_move_to(cr, std::round(Left + slot * r) + 0.5, Top);
            cairo_line_to(cr, std::round(Left + slot * r) + 0.5, Height - Bottom + 34);
            cairo_stroke(cr);
        }
        for (std::size_t s = 0; s < rows[r].lu.size(); ++s) {
            const double x = centre + (s - (rows[r].lu.size() - 1) / 2.0) * 7;
            setRgb(cr, colours[s % 5]);
            cairo_arc(cr, x, plot.yAt(rows[r].lu[s]), 3.6, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    plot.frame();
    double x = Width - Right;
    for (std::size_t s = signals.size(); s-- > 0;) {
        x -= 96;
        setRgb(cr, colours[s % 5]);
        cairo_arc(cr, x, LegendY, 4, 0, 2 * M_PI);
        cairo_fill(cr);
        text(cr, signals[s], x + 9, LegendY, "DejaVu Sans 9", 0x1d2433);
    }
    return plot.write(pngPath);
}

}  // namespace tevaro::charts
