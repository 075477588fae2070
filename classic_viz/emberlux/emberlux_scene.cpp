#include "classic_viz/emberlux/emberlux_scene.h"

#include "classic_viz/framework/bar_scene.h"
#include "classic_viz/framework/spectrum_painter.h"

namespace tevaro::viz {

namespace {

constexpr painter::BarPreset presets[3] = {
    {painter::StyleReversed,
     1,
     175,
     5,
     60,
     20,
     93,
     233,
     1,
     80,
     2,
     -706,
     -1.0f,
     -285.0f,
     3,
     64,
     0.0f,
     234,
     244,
     1,
     false,
     false},
    {painter::StyleBar, 6, 175, 5, 36, 20, 55, 256, 1, 0, 5, 0, -8.0f, 0.0f, 4, 0, 55.0f, 7, 70, 2, false, true},
    {painter::StyleFadedBar, 7, 175, 4, 36, 99, 176, 200, 12, 0, 5, 0, 8.0f, 0.0f, 4, 0, 30.0f, 0, 243, 2, false, true},
};

}  // namespace

void EmberluxScene::continueScene(EffectCore& effect) { painter::continuePaintedScene(effect, *this, painter::Strip); }

void EmberluxScene::adjustResponse(int averageLevel, int& edgeWidth, int& blendPercent, bool& surfaceShown) {
    if (averageLevel < 5) {
        if (edgeWidth > 0) edgeWidth -= 1;
        if (blendPercent <= 98) blendPercent += 2;
    } else {
        if (edgeWidth < 16) {
            edgeWidth += 4;
            blendPercent = 99;
        }
        if (blendPercent >= 1) blendPercent -= 1;
    }
    surfaceShown = !(edgeWidth == 0 && blendPercent > 89);
}

void EmberluxScene::run(EffectCore& effect) {
    SceneEngine& scene = effect.scene;
    const int preset = effect.presetIndex();
    if (preset < 0 || preset > 2) return;
    if (!scene.sceneStarted) {
        setUp(effect, preset);
        scene.sceneStarted = true;
        return;
    }
    Layer& surface = scene.layers[painter::Surface];
    if (preset == Flood) {
        bool shown = surface.isComposited();
        adjustResponse(effect.spectrum.averageLevel, scene.layers[painter::Brush].edgeWidth,
                       effect.spectrum.settings.blendPercent, shown);
        surface.composited = shown ? Composited : NotComposited;
    }
    scene.refresh(painter::Surface);
    scene.layers[painter::Strip].composited = NotComposited;
    scene.layers[painter::Brush].composited = NotComposited;
}

void EmberluxScene::setUp(EffectCore& effect, int preset) {
    painter::setUpBarScene(effect, ArchiveSlot, presets[preset]);
}

}  // namespace tevaro::viz
