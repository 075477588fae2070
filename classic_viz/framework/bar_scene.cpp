#include "classic_viz/framework/bar_scene.h"

#include "classic_viz/framework/spectrum_painter.h"

namespace tevaro::viz::painter {

namespace {
constexpr int BarLayerCount = 5;
constexpr int Unused = 2;
}  // namespace

void setUpBarScene(EffectCore& effect, int archiveSlot, const BarPreset& p) {
    SceneEngine& scene = effect.scene;
    effect.startPresetScene();
    scene.brushStyle = StyleNone;
    scene.layers[Unused].composited = Composited;

    effect.chooseCanvasSize(352, 320);
    scene.brushStyle = p.brushStyle;
    AnalysisSettings& analysis = effect.spectrum.settings;
    analysis.orderMode = p.orderMode;
    analysis.resampleFactor = p.resampleFactor;
    analysis.smoothing = p.smoothing;
    analysis.gain = p.gain;
    analysis.blendPercent = p.blendPercent;
    scene.layerCount = BarLayerCount;
    scene.camera.flatten();

    auto& layers = scene.layers;
    auto& motion = scene.motion;
    Layer& surface = layers[Surface];
    surface.worldX = -1;
    surface.worldY = 0;
    surface.composited = Composited;
    surface.edgeWidth = p.surfaceEdgeWidth;
    surface.edgeTransparency = p.surfaceEdgeTransparency;
    surface.distanceScans = p.surfaceScans;
    surface.brightness = p.surfaceBrightness;
    scene.setPicture(Surface, archiveSlot, 1);

    Layer& strip = layers[Strip];
    strip.worldX = 344;
    strip.worldY = p.stripWorldY;
    strip.composited = NotComposited;
    strip.scrollWrapMode = 4;
    scene.setPicture(Strip, archiveSlot, p.stripImage);
    motion[Strip].scrollSpeedY = p.stripSpeed;
    motion[Strip].scrollY = p.stripOffset;

    layers[Unused].composited = NotComposited;

    Layer& brush = layers[Brush];
    brush.worldX = 348;
    brush.worldY = p.brushWorldY;
    brush.composited = p.brushComposited ? Composited : NotComposited;
    brush.edgeWidth = p.brushEdgeWidth;
    brush.edgeTransparency = p.brushEdgeTransparency;
    brush.distanceScans = p.brushScans;
    if (p.brushRedrawn) brush.state = StateRedraw;
    motion[Brush].scrollY = p.brushOffset;
    scene.setPicture(Brush, archiveSlot, p.brushImage);
}

}  // namespace tevaro::viz::painter
