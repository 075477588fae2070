#include "classic_viz/throbwave/throbwave_scene.h"

#include "classic_viz/framework/spectrum_painter.h"

namespace tevaro::viz {

namespace {

struct PresetTable {
    int brushStyle;
    int resampleFactor, smoothing, gain, blendPercent;
    int edgeWidth, edgeTransparency, distanceScans;
    float stripSpeed;
    bool brushComposited;
};
constexpr PresetTable presets[3] = {
    {painter::StyleFolded, 182, 20, 80, 10, 72, 322, 3, 8.0f, true},
    {painter::StyleFoldedSoft, 180, 9, 70, 0, 6, 255, 0, 1.0f, false},
    {painter::StyleFolded, 180, 20, 60, 10, 16, 111, 3, 8.0f, true},
};
constexpr int OrderCentred = 8;

}  // namespace

EffectDescription pulseDescription(const std::uint8_t* archive, std::size_t length) {
    EffectDescription d;
    d.archiveSlot = ThrobwaveScene::ArchiveSlot;
    d.archive = archive;
    d.archiveLength = length;
    d.defaultPictures = DefaultPictures{ThrobwaveScene::ArchiveSlot, {1, 2, 1, 2, 2, 2}};
    return d;
}

void ThrobwaveScene::continueScene(EffectCore& effect) { painter::continuePaintedScene(effect, *this, 0); }

void ThrobwaveScene::run(EffectCore& effect) {
    SceneEngine& scene = effect.scene;
    const int preset = effect.presetIndex();
    if (preset < 0 || preset > 2) return;
    if (!scene.sceneStarted) {
        setUp(effect, preset);
        scene.sceneStarted = true;
        return;
    }
    scene.layers[painter::Strip].composited = NotComposited;
    if (preset != SteelRhythm) scene.layers[painter::Brush].composited = NotComposited;
    // The distance map and the soft edges follow the freshly painted columns.
    scene.refresh(painter::Surface);
}

void ThrobwaveScene::setUp(EffectCore& effect, int preset) {
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
    analysis.orderMode = OrderCentred;
    analysis.resampleFactor = table.resampleFactor;
    analysis.smoothing = table.smoothing;
    analysis.gain = table.gain;
    analysis.blendPercent = table.blendPercent;
    scene.layerCount = LayerCount;
    scene.camera.flatten();

    auto& layers = scene.layers;
    Layer& surface = layers[painter::Surface];
    surface.worldX = -1;
    surface.worldY = 0;
    surface.composited = Composited;
    surface.edgeWidth = table.edgeWidth;
    surface.edgeTransparency = table.edgeTransparency;
    surface.distanceScans = table.distanceScans;
    scene.setPicture(painter::Surface, ArchiveSlot, 1);

    Layer& strip = layers[painter::Strip];
    strip.worldX = 344;
    strip.worldY = 0;
    strip.composited = NotComposited;
    strip.scrollWrapMode = 4;
    scene.setPicture(painter::Strip, ArchiveSlot, 5);
    scene.motion[painter::Strip].scrollSpeedY = table.stripSpeed;

    layers[2].composited = NotComposited;

    Layer& brush = layers[painter::Brush];
    brush.worldX = 348;
    brush.worldY = 0;
    brush.state = StateRedraw;
    brush.composited = table.brushComposited ? Composited : NotComposited;
    scene.setPicture(painter::Brush, ArchiveSlot, 4);
}

}  // namespace tevaro::viz
