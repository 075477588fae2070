// The spectrum bars' bitmaps: glassy blue blocks that darken from the bottom row up, a light cyan
// block for weak bins, a white peak cap, and reflections for the pale band under the bars. They
// have no alpha, so each is drawn for the background it lands on: the reflections fade into the
// band's near-white exactly where the bars draw them.
#include "tools/assetgen/coverdrift_pictures.h"

namespace tevaro::assetgen::coverdrift {

namespace {

const Rgb BlockColours[BlockCount] = {
    {0.40, 0.72, 1.00}, {0.27, 0.60, 0.97}, {0.17, 0.48, 0.91},
    {0.10, 0.37, 0.81}, {0.06, 0.27, 0.68}, {0.03, 0.18, 0.54},
};
const Rgb WeakColour{0.62, 0.94, 1.00};
const Rgb PeakColour{0.96, 0.99, 1.00};
const Rgb PeakRim{0.16, 0.44, 0.86};

Rgb mix(Rgb a, Rgb b, double t) { return panel::mixed(a, b, clamp01(t)); }

// A block of `size` pixels: a darker rim, a face graded from a lit top to a deeper bottom and a
// bright glint along the top-left inside the rim.
Surface block(Rgb face, Rgb rim, int scale) {
    const int size = BlockSize * scale;
    Surface s = opaqueSurface(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool onRim = x < scale || y < scale || x >= size - scale || y >= size - scale;
            const double v = static_cast<double>(y) / (size - 1);
            Rgb c = onRim ? rim : mix(mix(face, {1, 1, 1}, 0.30), panel::scaled(face, 0.90), v);
            const bool glint =
                !onRim && (y < 2 * scale || x < 2 * scale) && x < size - 2 * scale && y < size - 2 * scale;
            if (glint) c = mix(c, {1, 1, 1}, 0.35);
            putPixel(s.get(), x, y, c);
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

// The band under the bars on the normal canvas: its lower half runs from 0xE9F4FF at row 61 to
// white at row 122; the reflections are drawn from row 90 down in 10-row cells.
Rgb bandAt(double canvasRow) { return mix({0xE9 / 255.0, 0xF4 / 255.0, 1.0}, {1, 1, 1}, (canvasRow - 61) / 61); }

// A reflection drawn at canvas row `top`: the mirrored colour fading into the band, the further
// down the paler, the image's eight rows stretched over the ten-row cell.
Surface mirrored(Rgb colour, double top) {
    Surface s = opaqueSurface(ReflectionWidth, ReflectionHeight);
    for (int y = 0; y < ReflectionHeight; ++y)
        for (int x = 0; x < ReflectionWidth; ++x) {
            const double row = top + (y + 0.5) * 10.0 / ReflectionHeight;
            const double depth = (row - 90) / 30;  // 0 under the bar, 1 at the bottom of the band
            double strength = 0.46 * std::pow(1 - depth, 1.6);
            if (x == 0 || x == ReflectionWidth - 1) strength *= 0.7;  // the rim's reflection is softer
            putPixel(s.get(), x, y, mix(bandAt(row), colour, strength));
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

}  // namespace

Surface barBlock(int row, int scale) {
    const Rgb face = BlockColours[std::clamp(row, 1, BlockCount) - 1];
    return block(face, panel::scaled(face, 0.62), scale);
}

Surface weakBlock(int scale) { return block(WeakColour, {0.30, 0.70, 0.86}, scale); }

Surface peakMarker(int scale) { return block(mix(PeakColour, {0.80, 0.90, 1.0}, 0.2), PeakRim, scale); }

Surface reflection(int row) { return mirrored(BlockColours[std::clamp(row, 1, 3) - 1], 90 + 10 * (row - 1)); }

Surface peakReflection() { return mirrored(PeakRim, 90); }

}  // namespace tevaro::assetgen::coverdrift
