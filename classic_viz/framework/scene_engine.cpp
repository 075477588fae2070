#include "classic_viz/framework/scene_engine.h"

#include <algorithm>
#include <cmath>

namespace tevaro::viz {

SceneEngine::SceneEngine() {
    chooseCanvasSize(350, 320);
    fillTrigTables();
    drawList_.fill(-1);
}

void SceneEngine::chooseCanvasSize(int width, int height) {
    if (width == canvasWidth_ && height == canvasHeight_ && !canvas_.empty()) return;
    width = std::max(width, 1);
    height = std::max(height, 1);
    canvas_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), clearColour);
    canvasWidth_ = width;
    canvasHeight_ = height;
}

bool SceneEngine::ensureArchive(int slot, const std::uint8_t* bytes, std::size_t length) {
    if (slot < 0 || slot >= SlotCount) return false;
    ImageArchive& a = archives_[static_cast<std::size_t>(slot)];
    return a.loaded() || a.decode(bytes, length);
}

void SceneEngine::fillTrigTables() {
    // The degree constant is the one the scenes were tuned with, not pi / 180 to full precision.
    for (int k = 0; k < 360; ++k) {
        const float radians = static_cast<float>(k) * 0.01745328f;
        sinTable[static_cast<std::size_t>(k)] = std::sin(radians);
        cosTable[static_cast<std::size_t>(k)] = std::cos(radians);
    }
}

void SceneEngine::resetScene() {
    layers.fill(Layer{});
    motion.fill(LayerMotion{});
    layerCount = LayerCapacity;
    camera = Camera{};
    sceneStarted = false;
}

void SceneEngine::releaseAll() {
    for (LayerImages& images : images_) images.releaseAll();
    layers.fill(Layer{});
    motion.fill(LayerMotion{});
    for (ImageArchive& a : archives_) a.clear();
    scaled_ = {};
}

void SceneEngine::defaultLayout(const DefaultPictures& pictures, SpectrumAnalysis& spectrum) {
    for (LayerImages& images : images_) images.releaseAll();
    layers.fill(Layer{});
    motion.fill(LayerMotion{});
    camera = Camera{};
    spectrum.resetForLayout();

    struct Row {
        int keyColour, blendMode, worldX, worldY, lift;
        bool composited;
    };
    static constexpr Row rows[6] = {
        {0, 1, 1107, -474, 0, true},  {-1, 0, 1314, -401, 0, true}, {-1, 1, 1107, -475, 0, true},
        {0, 1, 1316, -401, 0, false}, {0, 0, 1316, -401, 0, false}, {-1, 0, 1269, 53, -46, false},
    };
    for (int n = 0; n < 6; ++n) {
        Layer& layer = layers[static_cast<std::size_t>(n)];
        const Row& row = rows[n];
        layer.layerClass = ClassAnimated;
        layer.state = StateDraw;
        layer.composited = row.composited ? Composited : NotComposited;
        layer.keyColour = row.keyColour;
        layer.blendMode = row.blendMode;
        layer.worldX = row.worldX;
        layer.worldY = row.worldY;
        layer.lift = row.lift;
        layer.archiveSlot = pictures.archiveSlot;
        layer.imageNumber = pictures.images[static_cast<std::size_t>(n)];
    }
    motion[2].scrollSpeedX = 1.0f;
    motion[2].scrollSpeedY = 0.5f;
    layers[2].scrollWrapMode = 2;
}

void SceneEngine::setPicture(int n, int slot, int image) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    layer.archiveSlot = slot;
    layer.imageNumber = image;
    loadPicture(n);
}

void SceneEngine::loadPicture(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    ImageView view;
    if (layer.archiveSlot >= 0 && layer.archiveSlot < SlotCount)
        view = archives_[static_cast<std::size_t>(layer.archiveSlot)].image(layer.imageNumber);
    if (!view) {
        freeLayer(n);
        return;
    }
    LayerImages& images = images_[static_cast<std::size_t>(n)];
    if (layer.ownBuffer) {
        images.own = {};
        layer.ownBuffer = 0;
    }
    if (view.width != layer.imageWidth || view.height != layer.imageHeight) {
        images.releasePasses();
        layer.resultSelector = ResultPicture;
    }
    layer.picture = view;
    layer.imageWidth = view.width;
    layer.imageHeight = view.height;
    layer.drawnWidth = view.width;
    layer.drawnHeight = view.height;
}

void SceneEngine::freeLayer(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    layer.layerClass = ClassFree;
    layer.picture = {};
    layer.ownBuffer = 0;
    images_[static_cast<std::size_t>(n)].own = {};
}

void SceneEngine::releaseLayerImages(int n) {
    images_[static_cast<std::size_t>(n)].releaseAll();
    Layer& layer = layers[static_cast<std::size_t>(n)];
    if (layer.ownBuffer) {
        layer.picture = {};
        layer.ownBuffer = 0;
    }
    layer.resultSelector = ResultPicture;
}

void SceneEngine::giveOwnBuffer(int n, int width, int height, Pixel fill) {
    releaseLayerImages(n);
    LayerImages& images = images_[static_cast<std::size_t>(n)];
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    images.own.assign(count + 1, fill);
    images.own[0] = 0;  // the own picture's edge-pass stamp
    Layer& layer = layers[static_cast<std::size_t>(n)];
    layer.picture = ImageView{images.own.data() + 1, width, height, reinterpret_cast<std::int32_t*>(images.own.data())};
    layer.ownBuffer = 1;
    layer.imageWidth = layer.drawnWidth = width;
    layer.imageHeight = layer.drawnHeight = height;
}

void SceneEngine::clearToBlack(int n) {
    const ImageView& p = layers[static_cast<std::size_t>(n)].picture;
    if (p) std::fill_n(p.pixels, p.pixelCount(), Pixel{0});
}

void SceneEngine::clearLayerZero() {
    const Layer& layer = layers[0];
    if (layer.picture) std::fill_n(layer.picture.pixels, layer.picture.pixelCount(), layer.key());
}

void SceneEngine::stampIntoLayerZero(int n) {
    if (n <= 0 || n >= LayerCapacity || !layers[0].picture) return;
    const ImageView& ground = layers[0].picture;
    drawLayer(n, Target{ground.pixels, ground.width, ground.height}, true);
    layers[static_cast<std::size_t>(n)].composited = NotComposited;
}

void SceneEngine::copyPixels(int from, int to) {
    const ImageView& a = layers[static_cast<std::size_t>(from)].picture;
    const ImageView& b = layers[static_cast<std::size_t>(to)].picture;
    if (a && b && a.width == b.width && a.height == b.height && a.pixels != b.pixels)
        std::copy_n(a.pixels, a.pixelCount(), b.pixels);
}

void SceneEngine::refresh(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    layer.distanceRebuild = 3;
    layer.state = StateRedraw;
    if (layer.picture.stamp != nullptr) *layer.picture.stamp = StampInvalid;
}

void SceneEngine::fillFromPaletteRow(int n, int row) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    const ImageView palette = currentImage(1);
    if (!layer.picture || !palette || row < 0 || row >= palette.height) return;
    const Pixel colour = palette.pixels[row * palette.width] & ColourBits;
    Pixel* p = layer.picture.pixels;
    for (int i = 0, count = layer.picture.pixelCount(); i < count; ++i) p[i] = (p[i] & ~ColourBits) | colour;
    layer.state = StateDraw;
}

ImageView SceneEngine::currentImage(int n) {
    const Layer& layer = layers[static_cast<std::size_t>(n)];
    if (!layer.picture || layer.resultSelector == ResultPicture) return layer.picture;
    std::vector<Pixel>& pass = layer.resultSelector == ResultPassA ? images_[static_cast<std::size_t>(n)].passA
                                                                   : images_[static_cast<std::size_t>(n)].passB;
    if (pass.size() != static_cast<std::size_t>(layer.picture.pixelCount())) return {};
    return ImageView{pass.data(), layer.picture.width, layer.picture.height, layer.picture.stamp};
}

void SceneEngine::frameStateRules() {
    Layer& ground = layers[0];
    if (ground.isComposited() && (ground.state == StateHidden || ground.state == StateDrawn)) ground.state = StateDraw;
    Layer& second = layers[2];
    if (second.isComposited() && (second.state == StateHidden || second.state == StateDrawn))
        second.state = StateRedraw;
}

void SceneEngine::animate() {
    for (int n = 0; n < layerCount; ++n) {
        Layer& layer = layers[static_cast<std::size_t>(n)];
        LayerMotion& m = motion[static_cast<std::size_t>(n)];
        if (layer.layerClass == ClassFree) continue;
        bool moved = false;
        auto turn = [&moved](float& angle, float speed) {
            if (speed == 0.0f) return;
            angle += speed;
            if (angle > 359.0f) angle -= 359.0f;
            moved = true;
        };
        turn(m.freeAngle1, m.freeAngle1Speed);
        turn(m.freeAngle2, m.freeAngle2Speed);
        if (m.transparencySpeed != 0.0f) {
            m.transparency = std::clamp(m.transparency + m.transparencySpeed, 0.0f, 255.0f);
            moved = true;
        }
        if (m.scrollSpeedX != 0.0f || m.scrollSpeedY != 0.0f) {
            m.scrollX += m.scrollSpeedX;
            m.scrollY += m.scrollSpeedY;
            moved = true;
        }
        if (moved) {
            layer.layerClass = ClassAnimated;
            layer.state = StateRedraw;
        }
    }
}

}  // namespace tevaro::viz
