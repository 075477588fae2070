#include "classic_viz/framework/scene_engine.h"

#include <algorithm>

#include "classic_viz/framework/image_passes.h"
#include "classic_viz/framework/resample.h"

namespace tevaro::viz {

namespace {
bool drawsUnscaled(int scale) { return scale == 0 || (scale >= 254 && scale <= 258); }
}  // namespace

int SceneEngine::scaledWidth(const Layer& layer) const {
    return drawsUnscaled(layer.scale) ? layer.imageWidth : resampleAxis(layer.imageWidth, layer.scale, nullptr);
}

int SceneEngine::scaledHeight(const Layer& layer) const {
    return drawsUnscaled(layer.scale) ? layer.imageHeight : resampleAxis(layer.imageHeight, layer.scale, nullptr);
}

void SceneEngine::place(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    const int w = layer.imageWidth;
    const int h = layer.imageHeight;

    if (camera.flat()) {
        // The general form with n = vx = vy = 0 and no tilt: natural size, world units stretched by
        // 256/255, the lift moving the picture up.
        layer.scale = 256;
        layer.depth = layer.worldY + h;
        layer.drawnWidth = w;
        layer.drawnHeight = h;
        layer.screenX =
            static_cast<int>(static_cast<float>(layer.worldX + w / 2) * 256.0f / 255.0f - static_cast<float>(w / 2));
        layer.screenY = static_cast<int>(static_cast<float>(layer.worldY + h) * 256.0f / 255.0f -
                                         static_cast<float>(layer.lift + h + 1));
    } else {
        const int centreX = 2 * canvasWidth_;
        const int centreY = 2 * canvasHeight_;
        const int maxExtent = 4 * std::max(canvasWidth_, canvasHeight_);
        const float cosA = cosTable[static_cast<std::size_t>(degreeIndex(static_cast<float>(camera.groundAngle)))];
        const float sinA = sinTable[static_cast<std::size_t>(degreeIndex(static_cast<float>(camera.groundAngle)))];
        const float cosT = cosTable[static_cast<std::size_t>(degreeIndex(static_cast<float>(camera.tilt)))];
        const float sinT = sinTable[static_cast<std::size_t>(degreeIndex(static_cast<float>(camera.tilt)))];

        const int groundY = layer.worldY + h;
        const float dx = static_cast<float>(layer.worldX + w / 2 - centreX);
        const float dy = static_cast<float>(groundY - centreY);
        const int X = centreX + static_cast<int>(dx * cosA - dy * sinA);
        const int Y = centreY + static_cast<int>(dx * sinA + dy * cosA);
        layer.depth = Y;

        const float D = static_cast<float>(maxExtent - Y);
        const int d = static_cast<int>(D * sinT);
        const float e = D * cosT;
        const float f = static_cast<float>(camera.focalLength);
        const int d1 = std::max(camera.focalLength + d, 1);
        const int d2 = std::max(camera.focalLength + camera.nearOffset, 1);
        const float k = 256.0f * f / static_cast<float>(d2);
        const float scale = k * f / static_cast<float>(d1);
        layer.scale = std::max(static_cast<int>(scale), 1);

        float sx = static_cast<float>(X) * k / 255.0f - static_cast<float>(camera.viewX);
        if (perspectiveConvergence) sx = convergenceCentreX - (convergenceCentreX - sx) * f / static_cast<float>(d1);
        const float sy = (static_cast<float>(maxExtent) - f * e / static_cast<float>(d1)) * k / 255.0f -
                         static_cast<float>(camera.viewY);
        layer.drawnWidth = scaledWidth(layer);
        layer.drawnHeight = scaledHeight(layer);
        layer.screenX = static_cast<int>(sx - static_cast<float>(layer.drawnWidth / 2));
        layer.screenY =
            static_cast<int>(sy - static_cast<float>(layer.scale) / 256.0f * static_cast<float>(layer.lift + h) - 1.0f);
    }
    layer.savedX = layer.screenX;
    layer.savedY = layer.screenY;
    layer.savedWidth = layer.drawnWidth;
    layer.savedHeight = layer.drawnHeight;
}

void SceneEngine::clip(int n) {
    Layer& layer = layers[static_cast<std::size_t>(n)];
    if (layer.scale < 7) {
        layer.state = StateHidden;
        return;
    }
    const int w = scaledWidth(layer);
    const int h = scaledHeight(layer);
    const int x = layer.screenX, y = layer.screenY;
    if (y >= canvasHeight_ || x >= canvasWidth_ || x + w <= 0 || y + h <= 0) {
        layer.state = StateHidden;
        return;
    }
    const int visibleW = std::min(x + w, canvasWidth_) - std::max(x, 0);
    const int visibleH = std::min(y + h, canvasHeight_) - std::max(y, 0);
    layer.clipped = (visibleW != w || visibleH != h) ? 1 : 0;
    layer.drawnWidth = visibleW;
    layer.drawnHeight = visibleH;
}

void SceneEngine::sortLayers() {
    // Background layers first, then all foreground layers interleaved by depth; equal keys keep
    // layer-number order (an insertion sort that only moves past strictly larger keys).
    int keys[LayerCapacity];
    int count = 0;
    for (int group = 0; group < 2; ++group) {
        const int groupStart = count;
        for (int n = 0; n < layerCount; ++n) {
            const Layer& layer = layers[static_cast<std::size_t>(n)];
            if (layer.layerClass == ClassFree || layer.state == StateHidden) continue;
            const bool background = layer.layerClass == ClassBackground;
            const bool foreground = layer.layerClass == ClassForeground || layer.layerClass == ClassAnimated;
            if ((group == 0 && !background) || (group == 1 && !foreground)) continue;
            const int key = std::max(layer.depth + 10000, 0);
            int at = count;
            while (at > groupStart && keys[at - 1] > key) {
                keys[at] = keys[at - 1];
                drawList_[static_cast<std::size_t>(at)] = drawList_[static_cast<std::size_t>(at - 1)];
                --at;
            }
            keys[at] = key;
            drawList_[static_cast<std::size_t>(at)] = n;
            ++count;
        }
    }
    drawList_[static_cast<std::size_t>(count)] = -1;
}

void SceneEngine::render() {
    std::fill(canvas_.begin(), canvas_.end(), clearColour);
    for (int n = 0; n < layerCount; ++n) {
        Layer& layer = layers[static_cast<std::size_t>(n)];
        if (layer.layerClass == ClassFree) continue;
        if (layer.state == StateDrawn) layer.state = StateDraw;
        if (!layer.ownBuffer) loadPicture(n);
        if (layer.layerClass == ClassFree) continue;
        place(n);
    }
    for (int n = 0; n < layerCount; ++n) {
        const Layer& layer = layers[static_cast<std::size_t>(n)];
        if (layer.layerClass != ClassFree && layer.state != StateHidden) clip(n);
    }
    sortLayers();
    const Target target = canvasTarget();
    for (int i = 0; drawList_[static_cast<std::size_t>(i)] >= 0; ++i)
        drawLayer(drawList_[static_cast<std::size_t>(i)], target, false);
}

}  // namespace tevaro::viz
