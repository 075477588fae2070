#pragma once
// The few tools CoverDrift's pictures are drawn with beyond cairo: per-pixel painting of fields
// (the sky, the clouds, soft shadows are computed, not stroked), smooth repeatable noise, and the
// rule the effect turns a cloud picture's red channel into opacity with.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/assetgen/panel_paint.h"

namespace tevaro::assetgen::coverdrift {

using panel::Painter;
using panel::Rgb;
using panel::Surface;

inline constexpr double Pi = 3.14159265358979323846;

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

// RGB24 for the JPEG and BMP pictures, ARGB32 (premultiplied, cleared) for those with alpha.
Surface opaqueSurface(int width, int height);
Surface alphaSurface(int width, int height);

// Writes one pixel of straight (not premultiplied) colour and opacity, rounding to bytes.
void putPixel(cairo_surface_t* surface, int x, int y, Rgb colour, double alpha = 1.0);
// The straight colour and opacity of one pixel, for reading back what was drawn.
void getPixel(cairo_surface_t* surface, int x, int y, Rgb& colour, double& alpha);

// Smooth value noise in [0, 1]: `octaves` layers, each twice the frequency and half the weight of
// the one before, the first with knots `scale` pixels apart. Repeatable for a seed.
double fractalNoise(double x, double y, double scale, int octaves, std::uint32_t seed);
// A repeatable random number in [0, 1) for a seed and an index.
double randomAt(std::uint32_t seed, int index);

// The effect's reading of a cloud pixel: opacity from red alone, r = red / 255, boosted by 1.08
// (capped at 1) from 0.55 up, opacity r^4. White is opaque, pure blue fully transparent.
inline double cloudOpacity(double red) {
    double r = red / 255.0;
    if (r >= 0.55) r = std::min(1.0, r * 1.08);
    return r * r * r * r;
}
// The red value (0..255) whose cloud opacity is `alpha`: the inverse of cloudOpacity, taking the
// lowest red of the boosted range where the boost leaves a gap.
inline double redForCloudOpacity(double alpha) {
    const double q = std::sqrt(std::sqrt(clamp01(alpha)));
    if (q < 0.55) return q * 255.0;
    return std::max(0.55, q / 1.08) * 255.0;
}

}  // namespace tevaro::assetgen::coverdrift
