// Album covers for the demo's two tracks, so the cover panel has real art to show: a warm retro
// sunset over a glowing grid, and a cool paper-cut sea under a pale moon. Invented, without text.
#include "tools/assetgen/coverdrift_pictures.h"

namespace tevaro::assetgen::coverdrift {

namespace {

Rgb mix(Rgb a, Rgb b, double t) { return panel::mixed(a, b, clamp01(t)); }

void sunsetGrid(cairo_surface_t* s) {
    const int n = DemoCoverSize;
    const double horizon = 0.64 * n;
    const double sunX = n / 2.0, sunY = horizon - 45, sunR = 0.25 * n;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            Rgb c;
            if (y < horizon) {
                const double v = y / horizon;
                c = v < 0.6 ? mix({0.10, 0.03, 0.22}, {0.52, 0.08, 0.45}, v / 0.6)
                            : mix({0.52, 0.08, 0.45}, {1.0, 0.42, 0.36}, (v - 0.6) / 0.4);
                // Stars high up.
                if (v < 0.45 && randomAt(0x57A2, y * n + x) > 0.9985) c = mix(c, {1, 1, 1}, 0.8 - v);
                const double d = std::hypot(x - sunX, y - sunY);
                if (d < sunR) {
                    // The sun, graded yellow to magenta, cut by bands that widen downwards.
                    const double t = (y - (sunY - sunR)) / (2 * sunR);
                    const double band = (y - (sunY - sunR * 0.45)) / (sunR * 1.45);
                    const bool cut = band > 0 && std::fmod(band * 9, 1.0) < 0.10 + 0.55 * band;
                    if (!cut) c = mix({1.0, 0.93, 0.35}, {1.0, 0.25, 0.55}, t * 1.3);
                } else {
                    c = mix(c, {1.0, 0.55, 0.50}, 0.45 * std::exp(-(d - sunR) / 30));
                }
                // Two ridges of mountains in silhouette before the sun.
                const double ridge1 = horizon - 16 - 34 * fractalNoise(x, 0, 70, 4, 0x3A1);
                const double ridge2 = horizon - 4 - 16 * fractalNoise(x, 0, 45, 4, 0x3A2);
                if (y > ridge1) c = mix({0.22, 0.05, 0.30}, {0.35, 0.07, 0.38}, (y - ridge1) / 40);
                if (y > ridge2) c = {0.12, 0.02, 0.18};
            } else {
                // The floor: a grid in perspective, glowing cyan on deep violet.
                const double depth = (y - horizon) / (n - horizon);
                c = mix({0.16, 0.02, 0.25}, {0.05, 0.01, 0.10}, depth);
                const double z = 1.0 / (depth + 0.04);
                const double gx = (x - n / 2.0) / (depth + 0.04) / 55.0;
                const double lineZ = std::fabs(std::fmod(z * 2.0, 1.0) - 0.5);
                const double lineX = std::fabs(std::fmod(gx + 100.5, 1.0) - 0.5);
                // Line widths in grid units, so that every line is about two pixels wide on screen.
                const double widthZ = std::min(0.45, 0.010 / ((depth + 0.04) * (depth + 0.04))),
                             widthX = 0.015 / (depth + 0.04);
                const double line =
                    std::max(1 - smoothstep(0, widthZ, 0.5 - lineZ), 1 - smoothstep(0, widthX, 0.5 - lineX));
                // Far lines crowd into a haze instead of a moire.
                c = mix(c, {0.30, 0.95, 1.0}, clamp01(line) * (0.4 + 0.6 * depth) * smoothstep(0.01, 0.16, depth));
                c = mix(c, {0.55, 0.30, 0.75}, 0.5 * (1 - smoothstep(0.0, 0.14, depth)));
                c = mix(c, {1.0, 0.40, 0.60}, 0.35 * std::exp(-(y - horizon) / 12));
            }
            const double grain = (randomAt(0x6A12, y * n + x) - 0.5) * 0.04;
            putPixel(s, x, y, {c.r + grain, c.g + grain, c.b + grain});
        }
}

void paperSea(cairo_surface_t* s) {
    const int n = DemoCoverSize;
    const Rgb skyTop{0.96, 0.88, 0.74}, skyLow{0.98, 0.72, 0.55};
    const double moonX = 0.70 * n, moonY = 0.24 * n, moonR = 0.11 * n;
    constexpr int Layers = 7;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            Rgb c = mix(skyTop, skyLow, static_cast<double>(y) / (0.5 * n));
            const double d = std::hypot(x - moonX, y - moonY);
            c = mix(c, {1.0, 0.98, 0.92}, 1 - smoothstep(moonR - 1, moonR + 1, d));
            c = mix(c, {1.0, 0.95, 0.85}, 0.35 * std::exp(-std::max(0.0, d - moonR) / 25));
            // Wave layers from the far one down to the nearest, each a paper cut casting a soft
            // shadow on the layer behind it.
            for (int k = 0; k < Layers; ++k) {
                const double t = static_cast<double>(k) / (Layers - 1);
                const double top = n * (0.42 + 0.085 * k) +
                                   (14 + 10 * t) * std::sin(x * (0.012 + 0.006 * k) + 1.7 * k) +
                                   6 * std::sin(x * 0.045 + k);
                const Rgb layer = mix({0.30, 0.66, 0.70}, {0.02, 0.13, 0.27}, t);
                if (y >= top) {
                    c = mix(layer, panel::scaled(layer, 0.80), (y - top) / 90);
                    // A pale crest line along the cut edge.
                    c = mix(c, {0.95, 0.97, 0.94}, 0.55 * (1 - smoothstep(0, 3, y - top)));
                } else {
                    c = mix(c, {0.0, 0.05, 0.10}, 0.30 * std::exp(-(top - y) / 5));
                }
            }
            const double grain = (fractalNoise(x, y, 3, 2, 0xFA9) - 0.5) * 0.06;
            putPixel(s, x, y, {c.r + grain, c.g + grain, c.b + grain});
        }
}

}  // namespace

Surface demoCover(int track) {
    Surface s = opaqueSurface(DemoCoverSize, DemoCoverSize);
    if (track == 1)
        sunsetGrid(s.get());
    else
        paperSea(s.get());
    cairo_surface_mark_dirty(s.get());
    return s;
}

}  // namespace tevaro::assetgen::coverdrift
