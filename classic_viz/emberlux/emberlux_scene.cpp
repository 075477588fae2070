#include "classic_viz/emberlux/emberlux_scene.h"

#include "classic_viz/framework/spectrum_painter.h"

namespace tevaro::viz {

namespace {

struct PresetTable {
    int brushStyle, orderMode;
    int resampleFactor, smoothing, gain, blendPercent;
    int edgeWidth, edgeTransparency, distanceScans, brightness;
    int stripImage, stripWorldY;
    float stripSpeed, stripOffset;
    int brushImage, brushWorldY;
    float brushOffset;
    int brushEdgeWidth, brushEdgeTransparency, brushScans;
};
constexpr PresetTable presets[3] = {
    {painter::StyleReversed, 1, 175, 5, 60, 20, 93, 233, 1, 80, 2, -706, -1.0f, -285.0f, 3, 64, 0.0f, 234, 244, 1},
    {painter::StyleBar, 6, 175, 5, 36, 20, 55, 256, 1, 0, 5, 0, -8.0f, 0.0f, 4, 0, 55.0f, 7, 70, 2},
    {painter::StyleFadedBar, 7, 175, 4, 36, 99, 176, 200, 12, 0, 5, 0, 8.0f, 0.0f, 4, 0, 30.0f, 0, 243, 2},
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
    SceneEngine& scene = effect.scene;
    const PresetTable& table = presets[preset];
    scene.clearColour = 0;
    if (scene.sceneBuilt) {
        scene.clearToBlack(0);
        scene.clearToBlack(2);
    }
    effect.defaultLayout();
    scene.brushStyle = painter::StyleNone;
    scene.layers[2].composited = Composited;
    scene.sceneBuilt = true;

    effect.chooseCanvasSize(352, 320);
    scene.brushStyle = table.brushStyle;
    AnalysisSettings& analysis = effect.spectrum.settings;
    analysis.orderMode = table.orderMode;
    analysis.resampleFactor = table.resampleFactor;
    analysis.smoothing = table.smoothing;
    analysis.gain = table.gain;
    analysis.blendPercent = table.blendPercent;
    scene.layerCount = LayerCount;
    scene.camera.flatten();

    auto& layers = scene.layers;
    auto& motion = scene.motion;
    Layer& surface = layers[painter::Surface];
    surface.worldX = -1;
    surface.worldY = 0;
    surface.composited = Composited;
    surface.edgeWidth = table.edgeWidth;
    surface.edgeTransparency = table.edgeTransparency;
    surface.distanceScans = table.distanceScans;
    surface.brightness = table.brightness;
    scene.setPicture(painter::Surface, ArchiveSlot, 1);

    Layer& strip = layers[painter::Strip];
    strip.worldX = 344;
    strip.worldY = table.stripWorldY;
    strip.composited = NotComposited;
    strip.scrollWrapMode = 4;
    scene.setPicture(painter::Strip, ArchiveSlot, table.stripImage);
    motion[painter::Strip].scrollSpeedY = table.stripSpeed;
    motion[painter::Strip].scrollY = table.stripOffset;

    layers[2].composited = NotComposited;

    Layer& brush = layers[painter::Brush];
    brush.worldX = 348;
    brush.worldY = table.brushWorldY;
    brush.composited = NotComposited;
    brush.edgeWidth = table.brushEdgeWidth;
    brush.edgeTransparency = table.brushEdgeTransparency;
    brush.distanceScans = table.brushScans;
    if (preset != FlameDance) brush.state = StateRedraw;
    motion[painter::Brush].scrollY = table.brushOffset;
    scene.setPicture(painter::Brush, ArchiveSlot, table.brushImage);
}

}  // namespace tevaro::viz
