#include "classic_viz/throbwave/throbwave_scene.h"

#include "classic_viz/framework/bar_scene.h"
#include "classic_viz/framework/spectrum_painter.h"

namespace tevaro::viz {

namespace {

// Every preset centres its bars (order mode 8) with the folded or the soft-folded brush.
constexpr painter::BarPreset presets[3] = {
    {painter::StyleFolded, 8, 182, 20, 80, 10, 72, 322, 3, 0, 5, 0, 8.0f, 0.0f, 4, 0, 0.0f, 0, 0, 0, true, true},
    {painter::StyleFoldedSoft, 8, 180, 9, 70, 0, 6, 255, 0, 0, 5, 0, 1.0f, 0.0f, 4, 0, 0.0f, 0, 0, 0, false, true},
    {painter::StyleFolded, 8, 180, 20, 60, 10, 16, 111, 3, 0, 5, 0, 8.0f, 0.0f, 4, 0, 0.0f, 0, 0, 0, true, true},
};

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
    painter::setUpBarScene(effect, ArchiveSlot, presets[preset]);
}

}  // namespace tevaro::viz
