#include "classic_viz/framework/spectrum_painter.h"

#include <algorithm>

namespace tevaro::viz::painter {

namespace {

// The strip's stored row 256, column 0: the colour below a bar of styles 2 and 3.
Pixel belowBarColour(const ImageView& strip) {
    const int index = strip.width * 256;
    return index < strip.pixelCount() ? strip.pixels[index] : strip.pixels[strip.pixelCount() - 1];
}

void fillBar(const ImageView& strip, const ImageView& brush, int n, bool faded) {
    const int count = brush.pixelCount();
    const int copied = std::min(n, count);
    std::copy_n(strip.pixels, copied, brush.pixels);
    std::fill(brush.pixels + copied, brush.pixels + count, belowBarColour(strip));
    if (faded && copied > 2) {
        static constexpr Pixel fades[3] = {0x80u << 24, 0x40u << 24, 0x20u << 24};  // last, second last, third
        for (int k = 0; k < 3; ++k) brush.pixels[copied - 1 - k] += fades[k];       // T wraps modulo 256
    }
}

void fillReversed(const ImageView& strip, const ImageView& brush, int v) {
    const int start = strip.width * v + 1;
    const int rows = std::min(v + 1, brush.pixelCount());
    const int last = strip.pixelCount() - 1;
    for (int j = 0; j < rows; ++j) brush.pixels[j] = strip.pixels[std::min(std::max(0, start - j), last)];
}

void fillFolded(const ImageView& strip, const ImageView& brush, int n, bool soft) {
    const int count = brush.pixelCount();
    n = std::min(n, count);
    const int h1 = (n + 1) / 2, h2 = n / 2;
    Pixel* out = brush.pixels;
    for (int k = 0; k < h1; ++k) out[k] = soft ? withTransparency(strip.pixels[k], h1 - k) : strip.pixels[k];
    for (int k = 0; k < h2; ++k) {
        const Pixel p = strip.pixels[h1 - k];
        out[h1 + k] = soft ? withTransparency(p, (h2 - k) / 4) : p;
    }
    if (!soft) {
        std::fill(out + n, out + count, Pixel{0});
        return;
    }
    // The rest: a ramp of the strip's first pixel, then one of its pixel 200 fading back in.
    const int rest = count - n;
    const int first = (rest + 1) / 2, second = rest / 2;
    const Pixel lower = strip.pixels[0];
    const Pixel upper = strip.pixels[std::min(200, strip.pixelCount() - 1)];
    for (int k = 0; k < first; ++k) out[n + k] = withTransparency(lower, k);
    for (int k = 0; k < second; ++k) out[n + first + k] = withTransparency(upper, second + 20 - k);
}

}  // namespace

void fillBrush(int style, const ImageView& strip, const ImageView& brush, int v) {
    if (!strip || !brush || v < 0) return;
    const int n = v * brush.width;
    const bool fits = n <= strip.pixelCount();
    switch (style) {
        case StyleBar:
        case StyleFadedBar:
            if (fits) fillBar(strip, brush, n, style == StyleFadedBar);
            break;
        case StyleReversed:
            fillReversed(strip, brush, v);
            break;
        case StyleFolded:
        case StyleFoldedSoft:
            if (fits) fillFolded(strip, brush, n, style == StyleFoldedSoft);
            break;
        default:
            break;
    }
}

bool positionBrush(int orderMode, int v, Layer& brush, LayerMotion& brushMotion) {
    switch (orderMode) {
        case 3:
            brush.screenY = 320 - v;
            return true;
        case 4:
            brush.screenY = v + 64;
            return true;
        case 5:
            brush.screenY = v;
            return v > 2;
        case 6:
            brush.screenY = v - 268;
            return true;
        case 7:
            brush.screenY = 0;
            return true;
        case 8:
            brushMotion.scrollY = static_cast<float>(160 - v / 2);
            return true;
        default:
            if (orderMode < 3) brush.screenY = v - 255;
            return true;
    }
}

void paintSpectrum(SceneEngine& scene, const SpectrumAnalysis& spectrum) {
    Layer& brush = scene.layers[Brush];
    LayerMotion& brushMotion = scene.motion[Brush];
    const ImageView surface = scene.layers[Surface].picture;
    brush.composited = Composited;
    if (!surface) return;
    const Target target{surface.pixels, surface.width, surface.height};
    const SpectrumBuffer& entries = spectrum.buffers[0];
    const int columns = std::min(spectrum.binCount, surface.width);
    for (int c = 0; c < columns; ++c) {
        const int v = entries[static_cast<std::size_t>(c)];
        brush.screenX = c;
        const ImageView strip = scene.currentImage(Strip);
        // A fresh fill needs a fresh edge pass even when the brush's parameters stay the same.
        if (brush.picture.stamp != nullptr) *brush.picture.stamp = SceneEngine::StampInvalid;
        fillBrush(scene.brushStyle, strip, brush.picture, v);
        if (!positionBrush(spectrum.settings.orderMode, v, brush, brushMotion)) continue;
        brush.state = StateRedraw;
        scene.drawLayer(Brush, target, false);
    }
}

void continuePaintedScene(EffectCore& effect, SceneScript& script, int gateLayer) {
    SceneEngine& scene = effect.scene;
    if (!scene.layers[static_cast<std::size_t>(gateLayer)].picture) return;
    if (scene.sceneBuilt && scene.layers[Surface].isComposited()) scene.clearLayerZero();
    if (scene.sceneBuilt) paintSpectrum(scene, effect.spectrum);
    script.run(effect);
}

}  // namespace tevaro::viz::painter
