#include "classic_viz/tessaray/tessaray_scene.h"

#include <algorithm>

#include "classic_viz/tessaray/tessaray_layout.h"

namespace tevaro::viz {

namespace {

struct PresetTable {
    int layerCount;
    int gain, smoothing, blendPercent;
    int stripImage;
    float stripSpeed;
    int stripLift;
    int edgeWidth, edgeTransparency, blendMode;  // the blocks at set-up (-1: as the layout left it)
};
constexpr PresetTable presets[3] = {
    {23, 0, 0, 0, 76, -9.0f, 0, 42, 250, 0},
    {52, 0, 3, 30, 73, -1.0f, 0, 30, 100, 1},
    {52, 0, 10, 80, 74, -1.0f, 710, 40, 100, -1},
};
constexpr int QuietBelow = 5;
constexpr Pixel DarkBlockColour = 0x060C39;  // preset 2's colour for nearly silent entries

const tessaray::BlockPosition& blockPosition(int preset, int layer) {
    const int at = layer - TessarayScene::FirstBlock;
    if (preset == TessarayScene::LightBeds) return tessaray::ringLayout[at];
    return preset == TessarayScene::SquareRhythm ? tessaray::squaresLayout[at] : tessaray::delightLayout[at];
}

int blockImage(int preset, int layer) {
    if (preset == TessarayScene::LightBeds) return layer == TessarayScene::CentreTile ? 78 : 49 + layer;
    if (layer == 50) return 51;
    if (layer == 51) return 1;
    if (preset == TessarayScene::Delight && layer == 19) return 71;
    return layer - 1;
}

void makeOpaque(const ImageView& picture) {
    for (int i = 0, n = picture.pixelCount(); i < n; ++i) picture.pixels[i] &= ColourBits;
}

void recolour(const ImageView& picture, Pixel colour) {
    colour &= ColourBits;
    for (int i = 0, n = picture.pixelCount(); i < n; ++i)
        picture.pixels[i] = (picture.pixels[i] & ~ColourBits) | colour;
}

}  // namespace

EffectDescription tessarayDescription(const std::uint8_t* archive, std::size_t length) {
    EffectDescription d;
    d.archiveSlot = TessarayScene::ArchiveSlot;
    d.archive = archive;
    d.archiveLength = length;
    // Slot 0 holds no archive: the layout's layers are freed when their pictures load.
    d.defaultPictures = DefaultPictures{0, {1, 4, 10, 11, 35, 5}};
    return d;
}

int TessarayScene::lastBlock(int preset) { return preset == LightBeds ? CentreTile : 51; }

int TessarayScene::blockEntryIndex(int layer, int offset) {
    int k = layer + 3 + offset;
    if (k > 60) k -= 50;
    return 3 * k;
}

Pixel TessarayScene::scaledColour(Pixel stripColour, int v) {
    const float f = std::min(1.0f, static_cast<float>(2 * v + 90) / 255.0f);
    auto scale = [f](int channel) { return static_cast<int>(static_cast<float>(channel) * f); };
    return makePixel(0, scale(redOf(stripColour)), scale(greenOf(stripColour)), scale(blueOf(stripColour)));
}

void TessarayScene::continueScene(EffectCore& effect) {
    if (effect.scene.layers[Strip].picture) run(effect);
}

void TessarayScene::run(EffectCore& effect) {
    SceneEngine& scene = effect.scene;
    const int preset = effect.presetIndex();
    if (preset < 0 || preset > 2) return;
    if (!scene.sceneStarted) {
        setUp(effect, preset);
        scene.sceneStarted = true;
    }
    if (scene.layers[Strip].picture) everyFrame(effect, preset);
}

void TessarayScene::setUp(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    const PresetTable& table = presets[preset];
    effect.startPresetScene();
    scene.sceneBuilt = false;
    effect.chooseCanvasSize(352, 320);
    scene.camera.flatten();
    scene.layerCount = table.layerCount;

    AnalysisSettings& analysis = effect.spectrum.settings;
    analysis.gain = table.gain;
    analysis.smoothing = table.smoothing;
    analysis.blendPercent = table.blendPercent;
    analysis.scatterMode = 0;

    auto& layers = scene.layers;
    auto& motion = scene.motion;
    motion[2].scrollSpeedX = motion[2].scrollSpeedY = 0.0f;

    Layer& strip = layers[Strip];
    strip.layerClass = ClassAnimated;
    strip.worldX = 343;
    strip.worldY = 0;
    strip.lift = table.stripLift;
    strip.composited = NotComposited;
    strip.scrollWrapMode = 4;
    strip.state = StateRedraw;
    motion[Strip].scrollSpeedY = table.stripSpeed;
    scene.setPicture(Strip, ArchiveSlot, table.stripImage);

    for (int n = FirstBlock; n <= lastBlock(preset); ++n) {
        Layer& block = layers[static_cast<std::size_t>(n)];
        const tessaray::BlockPosition& at = blockPosition(preset, n);
        block.layerClass = ClassAnimated;
        block.keyColour = NoKey;
        block.composited = NotComposited;
        block.state = StateRedraw;
        block.worldX = at.worldX;
        block.worldY = at.worldY;
        block.lift = at.lift;
        block.edgeWidth = table.edgeWidth;
        block.edgeTransparency = table.edgeTransparency;
        if (table.blendMode >= 0) block.blendMode = table.blendMode;
        if (preset == LightBeds && n == CentreTile) {
            block.edgeWidth = 100;
            block.edgeTransparency = 170;
            block.blendMode = BlendDarken;
            block.distanceRebuild = 3;
        }
        scene.setPicture(n, ArchiveSlot, blockImage(preset, n));
    }
    const int lastOpaque = preset == LightBeds ? CentreTile : 50;
    for (int n = FirstBlock; n <= lastOpaque; ++n) makeOpaque(layers[static_cast<std::size_t>(n)].picture);

    if (preset == Delight) {
        Layer& backdrop = layers[Backdrop];
        // A colour strip like layer 1: placed on the canvas so that its scroll pass runs.
        backdrop.layerClass = ClassAnimated;
        backdrop.worldX = 347;
        backdrop.worldY = 0;
        backdrop.lift = -64;
        backdrop.scrollWrapMode = 4;
        backdrop.composited = NotComposited;
        backdrop.state = StateRedraw;
        motion[Backdrop].scrollSpeedY = -0.3f;
        motion[Backdrop].scrollY = static_cast<float>(effect.random.masked(127));
        scene.setPicture(Backdrop, ArchiveSlot, 75);
    } else {
        scene.freeLayer(Backdrop);
    }

    frameCounter = 0;
    spectrumOffset = preset == SquareRhythm ? effect.random.masked(63) : 0;
}

void TessarayScene::everyFrame(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    for (int n = FirstBlock; n <= lastBlock(preset); ++n) {
        Layer& block = scene.layers[static_cast<std::size_t>(n)];
        if (preset == LightBeds) {
            if (n != CentreTile) block.edgeWidth = 17;
        } else if (preset == SquareRhythm) {
            block.edgeWidth = 9;
            block.edgeTransparency = 100;
            block.layerClass = ClassAnimated;
        } else {
            block.edgeWidth = 2;
            block.edgeTransparency = 200;
        }
    }

    if (preset != LightBeds) {
        const int limit = preset == SquareRhythm ? 50 : 100;
        if (frameCounter > limit) {
            spectrumOffset = effect.random.masked(preset == SquareRhythm ? 31 : 63);
            frameCounter = 0;
        }
        ++frameCounter;
    }

    colourBlocks(effect, preset);

    if (preset == Delight) {
        const ImageView backdrop = scene.currentImage(Backdrop);
        scene.clearColour = effect.spectrum.averageLevel > 4 && backdrop ? backdrop.pixels[0] & ColourBits : 0;
    }
}

void TessarayScene::colourBlocks(EffectCore& effect, int preset) {
    SceneEngine& scene = effect.scene;
    const SpectrumBuffer& entries = effect.spectrum.buffers[0];
    const int average = effect.spectrum.averageLevel;
    const ImageView strip = scene.currentImage(Strip);
    for (int n = FirstBlock; n <= lastBlock(preset); ++n) {
        Layer& block = scene.layers[static_cast<std::size_t>(n)];
        if (average < QuietBelow) {
            block.composited = NotComposited;
            continue;
        }
        block.composited = Composited;
        if (!block.picture || !strip) {
            if (preset == LightBeds) return;  // the ring stops at the first empty layer
            continue;
        }
        Pixel colour;
        if (preset == LightBeds) {
            const int v = n == CentreTile ? average : entries[static_cast<std::size_t>(50 + n)];
            colour = strip.pixels[std::min(v, strip.height - 1) * strip.width];
        } else {
            const int v = entries[static_cast<std::size_t>(blockEntryIndex(n, spectrumOffset))];
            if (preset == SquareRhythm)
                colour = scaledColour(strip.pixels[0], v);
            else
                colour = v < 5 ? static_cast<Pixel>(v * 10) + DarkBlockColour
                               : strip.pixels[std::min(v, strip.height - 1) * strip.width];
        }
        recolour(block.picture, colour);
        block.state = StateDraw;
    }
}

}  // namespace tevaro::viz
