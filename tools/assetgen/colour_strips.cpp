#include "tools/assetgen/colour_strips.h"

#include <cmath>

#include "tools/assetgen/cairo_picture.h"

namespace tevaro::assetgen {

namespace {

// A hue 0..6 (red, yellow, green, cyan, blue, magenta, red) as a saturated colour, with a gentle
// smoothstep inside each sixth so the secondaries do not look like thin flat bands.
void hueColour(double hue, double& r, double& g, double& b) {
    const double h = std::fmod(hue, 6.0);
    const int sector = static_cast<int>(h);
    double t = h - sector;
    t = t * t * (3.0 - 2.0 * t);
    const double up = t, down = 1.0 - t;
    switch (sector) {
        case 0:
            r = 1, g = up, b = 0;
            break;
        case 1:
            r = down, g = 1, b = 0;
            break;
        case 2:
            r = 0, g = 1, b = up;
            break;
        case 3:
            r = 0, g = down, b = 1;
            break;
        case 4:
            r = up, g = 0, b = 1;
            break;
        default:
            r = 1, g = 0, b = down;
            break;
    }
}

}  // namespace

ArchivePicture verticalStrip(int width, int height, const std::vector<StripStop>& stops, EntryFormat format) {
    CairoPicture picture(width, height);
    cairo_t* cr = picture.cr();
    // Stored row r is cairo row height - 1 - r; the pixel centre sits half a row further.
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, height - 0.5, 0, -0.5);
    for (const StripStop& s : stops)
        cairo_pattern_add_color_stop_rgb(pattern, s.row / static_cast<double>(height), s.r, s.g, s.b);
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
    cairo_pattern_destroy(pattern);
    return picture.picture(format);
}

std::vector<StripStop> hueCycle(double lastRow, const std::vector<double>& keyRows, bool forward) {
    // Turning points: the five hues after red in the direction's order, at their key rows.
    static const double forwardHues[5] = {1, 2, 3, 4, 5};
    static const double backwardHues[5] = {5, 4, 3, 2, 1};
    std::vector<double> rows{0.0};
    std::vector<double> hues{forward ? 0.0 : 6.0};
    for (std::size_t k = 0; k < keyRows.size() && k < 5; ++k) {
        rows.push_back(keyRows[k]);
        hues.push_back(forward ? forwardHues[k] : backwardHues[k]);
    }
    rows.push_back(lastRow);
    hues.push_back(forward ? 6.0 : 0.0);

    std::vector<StripStop> stops;
    constexpr int StepsPerSpan = 12;  // enough stops that cairo's linear mix follows the smoothed hue
    for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
        for (int s = 0; s < StepsPerSpan; ++s) {
            const double t = static_cast<double>(s) / StepsPerSpan;
            StripStop stop{rows[k] + (rows[k + 1] - rows[k]) * t, 0, 0, 0};
            hueColour(hues[k] + (hues[k + 1] - hues[k]) * t, stop.r, stop.g, stop.b);
            stops.push_back(stop);
        }
    }
    stops.push_back(StripStop{lastRow, 1, 0, 0});
    stops.push_back(StripStop{lastRow + 1, 1, 0, 0});
    return stops;
}

ArchivePicture solidPicture(int width, int height, std::uint32_t colour, EntryFormat format) {
    ArchivePicture p;
    p.width = width;
    p.height = height;
    p.format = format;
    p.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour & 0xFFFFFF);
    return p;
}

}  // namespace tevaro::assetgen
