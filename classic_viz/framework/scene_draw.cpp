#include "classic_viz/framework/scene_engine.h"

#include <algorithm>

#include "classic_viz/framework/composite.h"
#include "classic_viz/framework/image_passes.h"
#include "classic_viz/framework/resample.h"

namespace tevaro::viz {

void SceneEngine::drawLayer(int n, const Target& target, bool forceComposite) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    if (!layer.picture) return;
    const int w = scaledWidth(layer);
    const int h = scaledHeight(layer);
    if (layer.screenX >= target.width || layer.screenY >= target.height || layer.screenX + w <= 0 ||
        layer.screenY + h <= 0)
        return;

    if (layer.distanceRebuild == 3) {
        layer.distanceRebuild = 2;
        buildDistanceMap(n);
    } else if (layer.edgeWidth != 0 && images_[static_cast<std::size_t>(n)].distance.empty()) {
        buildDistanceMap(n);
    }
    if ((layer.edgeWidth != 0 && layer.edgeTransparency != 0) || layer.maskLayer > 1) edgePass(n);
    if (layer.state == StateRedraw) runPasses(n);

    const ImageView source = currentImage(n);
    if (source && (layer.isComposited() || forceComposite)) compositeLayer(n, source, target);
    layer.state = StateDrawn;
}

void SceneEngine::buildDistanceMap(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    std::vector<std::uint32_t>& map = images_[static_cast<std::size_t>(n)].distance;
    const std::size_t count = static_cast<std::size_t>(layer.picture.pixelCount());
    if (map.size() != count) map.assign(count, 0);
    layer.maxDistance = viz::buildDistanceMap(layer.picture.pixels, layer.picture.width, layer.picture.height,
                                              layer.key(), layer.distanceScans, map.data());
}

void SceneEngine::edgePass(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    const LayerMotion& m = motion[static_cast<std::size_t>(n)];
    ImageView& picture = layer.picture;

    // Static soft edges cost nothing: the pass runs only when its parameters change, or when forced.
    const std::int32_t stamp = edgeStamp(layer.edgeWidth, layer.edgeTransparency, m.transparency, layer.maskLayer);
    if (layer.distanceRebuild == 2)
        layer.distanceRebuild = 1;
    else if (picture.stamp != nullptr && *picture.stamp == stamp)
        return;
    if (picture.stamp != nullptr) *picture.stamp = stamp;

    const Pixel* mask = nullptr;
    if (layer.maskLayer >= 2 && layer.maskLayer < LayerCapacity) {
        const Layer& maskLayer = layers[static_cast<std::size_t>(layer.maskLayer)];
        // A mask smaller than the masked picture is ignored; one whose pass buffer is missing ends the pass.
        if (maskLayer.picture && picture.pixelCount() <= maskLayer.picture.pixelCount()) {
            const ImageView maskImage = currentImage(layer.maskLayer);
            if (!maskImage) return;
            mask = maskImage.pixels;
        }
    }
    const std::vector<std::uint32_t>& map = images_[static_cast<std::size_t>(n)].distance;
    const bool hasMap = map.size() == static_cast<std::size_t>(picture.pixelCount());
    EdgeParams params{layer.edgeWidth, layer.edgeTransparency, m.transparency, layer.maxDistance};
    if (!hasMap) params.edgeWidth = 0;
    edgeTransparencyPass(params, picture.pixels, picture.pixelCount(), layer.key(), hasMap ? map.data() : nullptr,
                         mask);
}

Pixel* SceneEngine::passOutput(int n, int selector) {
    LayerImages& images = images_[static_cast<std::size_t>(n)];
    std::vector<Pixel>& buffer = selector == ResultPassA ? images.passA : images.passB;
    const std::size_t count = static_cast<std::size_t>(layers[static_cast<std::size_t>(n)].picture.pixelCount());
    if (buffer.size() != count) buffer.assign(count, 0);
    return buffer.data();
}

void SceneEngine::runPasses(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    LayerMotion& m = motion[static_cast<std::size_t>(n)];
    const int w = layer.picture.width, h = layer.picture.height;
    const Pixel key = layer.key();
    layer.resultSelector = ResultPicture;
    const Pixel* in = layer.picture.pixels;

    // Passes alternate between the two buffers: picture -> A -> B -> A ...
    auto next = [&]() {
        const int selector = layer.resultSelector == ResultPassA ? ResultPassB : ResultPassA;
        Pixel* out = passOutput(n, selector);
        return std::pair<Pixel*, int>(out, selector);
    };
    auto modulated = [&](float amount, int source) {
        if (source == 1) return amount * cosTable[static_cast<std::size_t>(degreeIndex(m.freeAngle1))];
        if (source == 2) return amount * cosTable[static_cast<std::size_t>(degreeIndex(m.freeAngle2))];
        return amount;
    };
    auto phase = [&](int source) { return source == 1 ? m.freeAngle1 : (source == 2 ? m.freeAngle2 : 0.0f); };

    if (m.scrollX != 0.0f || m.scrollY != 0.0f) {
        auto [out, selector] = next();
        scrollPass(in, out, w, h, key, layer.scrollWrapMode, m.scrollX, m.scrollY);
        in = out;
        layer.resultSelector = selector;
    }
    if (m.shearB != 0.0f || m.shearC != 0.0f || m.rippleFrequencyX != 0.0f || m.rippleFrequencyY != 0.0f) {
        auto [out, selector] = next();
        DistortionParams params;
        params.shearB = modulated(m.shearB, layer.shearModulationB);
        params.shearC = modulated(m.shearC, layer.shearModulationC);
        params.quadratic = m.quadratic * 0.001f;
        params.rippleFrequencyX = m.rippleFrequencyX;
        params.rippleFrequencyY = m.rippleFrequencyY;
        params.ripplePhaseX = phase(layer.ripplePhaseSourceX);
        params.ripplePhaseY = phase(layer.ripplePhaseSourceY);
        params.rippleAmplitude = layer.rippleAmplitude;
        distortionPass(in, out, w, h, key, params, cosTable.data());
        in = out;
        layer.resultSelector = selector;
    }
    if (layer.brightness != 0) {
        auto [out, selector] = next();
        colourPass(in, out, w * h, key, layer.brightness);
        in = out;
        layer.resultSelector = selector;
    }
    if (layer.outlineWidth != 0) {
        auto [out, selector] = next();
        outlinePass(in, out, w, h, key, layer.outlineWidth);
        layer.resultSelector = selector;
    }
}

void SceneEngine::compositeLayer(int n, const ImageView& source, const Target& target) {
    const Layer& layer = layers[static_cast<std::size_t>(n)];
    const LayerMotion& m = motion[static_cast<std::size_t>(n)];
    CompositeMode mode;
    mode.key = layer.key();
    if ((layer.edgeWidth != 0 && layer.edgeTransparency != 0) || layer.maskLayer > 1 || layer.blendMode != 0) {
        mode.kind = CompositeKind::PerPixel;
        mode.blendMode = layer.blendMode;
    } else if (m.transparency != 0.0f) {
        if (m.transparency >= 255.0f) return;
        mode.kind = CompositeKind::Uniform;
        mode.transparency = static_cast<int>(m.transparency);
    } else {
        mode.kind = CompositeKind::Copy;
        mode.keyed = layer.keyColour != NoKey;
    }

    const Pixel* pixels = source.pixels;
    int w = source.width, h = source.height;
    if (layer.scale != 0 && (layer.scale < 254 || layer.scale > 258)) {
        const std::size_t maxW = static_cast<std::size_t>(w) * 3, maxH = static_cast<std::size_t>(h) * 3;
        if (columnMap_.size() < maxW) columnMap_.resize(maxW);
        if (rowMap_.size() < maxH) rowMap_.resize(maxH);
        const int sw = resampleAxis(w, layer.scale, columnMap_.data());
        const int sh = resampleAxis(h, layer.scale, rowMap_.data());
        const std::size_t count = static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh);
        if (scaled_.size() < count) scaled_.resize(count);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x)
                scaled_[static_cast<std::size_t>(y * sw + x)] =
                    pixels[rowMap_[static_cast<std::size_t>(y)] * w + columnMap_[static_cast<std::size_t>(x)]];
        pixels = scaled_.data();
        w = sw;
        h = sh;
    }
    compositeImage(pixels, w, h, layer.screenX, layer.screenY, target, mode);
}

}  // namespace tevaro::viz
