#include "classic_viz/glintora/glintora_scene.h"

namespace tevaro::viz {

namespace {

constexpr int GroundWidth = 180, GroundHeight = 120;  // "Star Clouds" and "Star Glow"
constexpr int WideWidth = 352, WideHeight = 320;

struct PresetTable {
    int canvasWidth, canvasHeight;
    int gain, smoothing, blendPercent;
    int maskImage6, maskImage7;
    int spectrumStep;  // entry m * k of the spectrum
};
constexpr PresetTable presets[3] = {
    {WideWidth, WideHeight, 65, 0, 20, 1, 2, 4},
    {GroundWidth, GroundHeight, 200, 95, 60, 2, 2, 3},
    {GroundWidth, GroundHeight, 140, 0, 60, 3, 3, 3},
};

}  // namespace

EffectDescription glintoraDescription(const std::uint8_t* archive, std::size_t length) {
    EffectDescription d;
    d.archiveSlot = GlintoraScene::ArchiveSlot;
    d.archive = archive;
    d.archiveLength = length;
    d.defaultPictures = DefaultPictures{GlintoraScene::ArchiveSlot, {5, 5, 5, 5, 5, 5}};
    d.mirrorsOrderNine = true;
    d.resetOnInvalidPreset = true;
    return d;
}

int GlintoraScene::starEntryIndex(int layer, int offset) {
    int k = layer - 4 + offset;
    if (k > 42) k -= 37;
    return k;
}

int GlintoraScene::starPicture(int value) { return value < 5 ? 63 : 62 - value / 29; }

int GlintoraScene::jitterMask(int cellSize) {
    int mask = 65535;
    while (mask > cellSize && mask > 0) mask >>= 1;
    return mask;
}

void GlintoraScene::run(EffectCore& effect) {
    SceneEngine& scene = effect.scene;
    const int preset = effect.presetIndex();
    if (preset < 0 || preset > 2) return;
    if (!scene.sceneStarted) {
        setUp(effect, preset);
        scene.sceneStarted = true;
    }

    // 1. Rebuild when the ground no longer matches its target size.
    // A ground that was never built (the window already matching the first canvas) is built too.
    if (preset == Starlight) {
        if (scene.canvasWidth() != effect.windowWidth || scene.canvasHeight() != effect.windowHeight ||
            !scene.layers[0].ownBuffer) {
            effect.chooseCanvasSize(effect.windowWidth, effect.windowHeight);
            rebuild(effect, preset);
        }
    } else if (scene.layers[0].imageWidth != GroundWidth || scene.layers[0].imageHeight != GroundHeight ||
               !scene.layers[0].ownBuffer) {
        rebuild(effect, preset);
    }

    // 2. Quiet check: new star positions once each time the music falls silent.
    const int average = effect.spectrum.averageLevel;
    if (average > 10) quietFlag = 2;
    if (quietFlag != 1 && average <= 4) {
        quietFlag = 1;
        layOutGrid(effect, preset);
    }

    // 3. Every 41 frames the stars follow another stretch of the spectrum.
    if (frameCounter > 40) {
        frameCounter = 0;
        spectrumOffset = effect.random.masked(31);
    }
    ++frameCounter;

    updateStars(effect, preset);
}

void GlintoraScene::setUp(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    const PresetTable& table = presets[preset];
    effect.startPresetScene();

    scene.layerCount = SceneEngine::LayerCapacity;
    scene.camera.flatten();
    scene.sceneBuilt = false;
    effect.chooseCanvasSize(table.canvasWidth, table.canvasHeight);

    AnalysisSettings& analysis = effect.spectrum.settings;
    analysis.gain = table.gain;
    analysis.smoothing = table.smoothing;
    analysis.blendPercent = table.blendPercent;
    analysis.scatterMode = 0;

    auto& layers = scene.layers;
    auto& motion = scene.motion;
    Layer& ground = layers[0];
    ground.layerClass = ClassBackground;
    ground.composited = Composited;
    ground.worldX = -2;
    ground.worldY = 0;
    ground.lift = 0;
    ground.keyColour = NoKey;
    ground.blendMode = BlendNormal;

    for (int n = 1; n <= 4; ++n) {
        layers[static_cast<std::size_t>(n)].composited = NotComposited;
        if (n != Strip || preset == Starlight) scene.freeLayer(n);
    }
    if (preset != Starlight) {
        Layer& strip = layers[Strip];
        strip.worldX = 175;
        strip.worldY = 0;
        strip.scrollWrapMode = 4;
        scene.setPicture(Strip, ArchiveSlot, 72);
        motion[Strip].scrollSpeedY = preset == StarClouds ? 3.0f : 2.0f;
    }

    Layer& brush = layers[Brush];
    brush.composited = NotComposited;
    brush.keyColour = 0;
    brush.state = StateRedraw;
    brush.worldX = 62;
    scene.setPicture(Brush, ArchiveSlot, 55);

    for (int n = SmallMask; n <= LargeMask; ++n) {
        Layer& mask = layers[static_cast<std::size_t>(n)];
        LayerMotion& m = motion[static_cast<std::size_t>(n)];
        const bool small = n == SmallMask;
        mask.composited = NotComposited;
        mask.state = StateRedraw;
        mask.worldX = small ? 0 : 70;
        scene.setPicture(n, ArchiveSlot, small ? table.maskImage6 : table.maskImage7);
        if (preset == Starlight) {
            m.shearB = 0.75f;
            m.shearC = 0.57f;
            mask.shearModulationB = 1;
            mask.shearModulationC = 2;
            m.freeAngle1Speed = small ? 40.0f : 35.0f;
            m.freeAngle2Speed = small ? 10.0f : 7.0f;
            mask.outlineWidth = 1;
        } else if (preset == StarClouds) {
            m.rippleFrequencyX = small ? 14.0f : 7.0f;
            m.rippleFrequencyY = small ? 0.27f : -0.27f;
            mask.rippleAmplitude = small ? 4 : 3;
            mask.ripplePhaseSourceX = 1;
            mask.ripplePhaseSourceY = 2;
            m.freeAngle1Speed = small ? 20.0f : 10.0f;
            m.freeAngle2Speed = small ? 8.0f : 3.0f;
            mask.outlineWidth = 1;
        }
    }

    for (int n = FirstStar; n <= LastStar; ++n) {
        Layer& star = layers[static_cast<std::size_t>(n)];
        star.layerClass = ClassAnimated;
        star.composited = Composited;
        scene.setPicture(n, ArchiveSlot, 10 + n - FirstStar);
        if (preset != Starlight) star.maskLayer = LargeMask;
    }

    frameCounter = 0;
    spectrumOffset = effect.random.masked(31);
    quietFlag = 0;
}

void GlintoraScene::rebuild(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    const int width = preset == Starlight ? scene.canvasWidth() : GroundWidth;
    const int height = preset == Starlight ? scene.canvasHeight() : GroundHeight;
    scene.giveOwnBuffer(0, width, height, 0);
    scene.layers[0].state = StateDraw;
    stampBackground(effect, preset);
    layOutGrid(effect, preset);
}

void GlintoraScene::stampBackground(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    RandomSource& random = effect.random;
    Layer& brush = scene.layers[Brush];
    brush.lift = 0;
    brush.archiveSlot = ArchiveSlot;
    brush.maskLayer = 0;
    // Stamps beyond a small ground are clipped away; the big area keeps the star density the same.
    const int width = preset == Starlight ? scene.canvasWidth() : WideWidth;
    const int height = preset == Starlight ? scene.canvasHeight() : WideHeight;

    brush.screenX = random.masked(15);
    int row = 0;
    for (;;) {
        int image = 64 + random.masked(7);
        if (preset != Starlight && (image == 66 || image == 67)) image += 4;
        scene.setPicture(Brush, ArchiveSlot, image);
        if (!brush.picture) return;
        scene.clip(Brush);
        scene.stampIntoLayerZero(Brush);
        brush.screenX += random.masked(31) + 3;
        brush.screenY = row + random.masked(31);
        if (brush.screenX >= width) {
            brush.screenX = random.masked(15);
            row += random.masked(31) + 3;
            if (row >= height) return;
        }
    }
}

void GlintoraScene::layOutGrid(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    RandomSource& random = effect.random;
    const int cellWidth = preset == Starlight ? scene.canvasWidth() / 7 : 25;
    const int cellHeight = preset == Starlight ? scene.canvasHeight() / 6 : 18;
    const int jx = jitterMask(cellWidth);
    const int jy = jitterMask(cellHeight);
    auto jitter = [&random](int mask) {
        const bool negative = random.masked(1) != 0;
        const int amount = random.masked(mask);
        return negative ? -amount : amount;
    };
    for (int n = FirstStar; n <= LastStar; ++n) {
        Layer& star = scene.layers[static_cast<std::size_t>(n)];
        const int column = (n - FirstStar) % 7, row = (n - FirstStar) / 7;
        const int x = column * cellWidth - 20 + jitter(jx);
        const int y = row * cellHeight - 20 + jitter(jy);
        star.worldX = x;
        star.lift = -y;
        star.state = StateDraw;
        if (preset != Starlight) star.maskLayer = random.masked(1) != 0 ? LargeMask : SmallMask;
    }
}

void GlintoraScene::updateStars(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    const SpectrumBuffer& entries = effect.spectrum.buffers[0];
    const int step = presets[preset].spectrumStep;
    for (int n = FirstStar; n <= LastStar; ++n) {
        Layer& star = scene.layers[static_cast<std::size_t>(n)];
        const int value = entries[static_cast<std::size_t>(step * starEntryIndex(n, spectrumOffset))];
        if (preset == Starlight) {
            const int picture = starPicture(value);
            scene.setPicture(Brush, ArchiveSlot, picture);
            scene.copyPixels(Brush, n);
            star.maskLayer = picture < 58 ? LargeMask : SmallMask;
        } else {
            scene.motion[static_cast<std::size_t>(n)].transparency = static_cast<float>(255 - value);
            scene.fillFromPaletteRow(n, value);
        }
        // Forces the edge pass, which applies the mask and the transparency.
        star.distanceRebuild = 2;
        star.state = StateRedraw;
    }
}

}  // namespace tevaro::viz
