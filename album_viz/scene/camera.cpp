#include "album_viz/scene/camera.h"

#include <algorithm>
#include <cmath>

namespace tevaro::album {

int elementTextureSize(int width, int height) {
    const int side = std::max(width, height);
    if (side <= 255) return 256;
    int t = 256;
    while (t <= side) t *= 2;
    return t;
}

float cameraDistance(int textureSize, int renderHeight) {
    // 30.66 is where a 512 texture's 64 world units span 284 pixels under a π/3 field of view;
    // c follows the height away from 284; each doubling of the texture halves the distance.
    const float c = 0.107f * float(renderHeight - 284);
    if (textureSize <= 256) return -2.0f * (c + 30.66f);
    if (textureSize <= 512) return -(c + 30.66f);
    if (textureSize <= 1024) return -(0.5f * c + 15.475f);
    if (textureSize <= 2048) return -(0.25f * c + 7.7375f);
    return -(0.125f * c + 3.86875f);
}

float textureScaleFactor(int textureSize) {
    if (textureSize <= 256) return 4.0f;
    if (textureSize <= 512) return 2.0f;
    if (textureSize <= 1024) return 1.0f;
    if (textureSize <= 2048) return 0.5f;
    return 0.25f;
}

Placement placeElement(float d, int textureSize, int renderWidth, int renderHeight, int imageWidth, int imageHeight,
                       float x, float y, float z) {
    Placement p{};
    p.scale = d / (d + z);
    p.worldPerPixel = 0.0622f * (d + z) / d * textureScaleFactor(textureSize);
    // A layout chooses z for a whole number of pixels; the allowance keeps float noise in s
    // (114.99998 for 115) from truncating a pixel away.
    p.drawWidth = int(p.scale * float(imageWidth) + 1e-3f);
    p.drawHeight = int(p.scale * float(imageHeight) + 1e-3f);
    p.screenX = int(float(renderWidth - p.drawWidth) / 2.0f + x / p.worldPerPixel);
    p.screenY = int(float(renderHeight - p.drawHeight) / 2.0f - y / p.worldPerPixel);
    return p;
}

bool isCompactWindow(int width, int height) {
    return (width == 166 && height == 125) || (width == 162 && height == 121);
}

CoverLayout layoutCover(const CoverLayoutInput& in) {
    const int w = in.renderWidth, h = in.renderHeight;
    int xm = 20, ym = 20;
    const int small = int(float(std::min(w, h)) * 0.05f);
    if (small < 16) xm = ym = small + 4;
    xm *= in.marginFactor;
    ym *= in.marginFactor;

    CoverLayout out{};
    int panel;
    if (isCompactWindow(w, h)) {
        out.barsHidden = true;
        const bool triple = in.marginFactor == 3;
        if (!in.hasAlbumArt) {
            xm = triple ? 39 : 26;
            ym = triple ? 19 : 3;
            panel = 311;
        } else {
            xm = triple ? 47 : 32;
            ym = triple ? 30 : 14;
            if (w == 162 && h == 121) ym -= 4;
            panel = 265;
        }
    } else {
        out.barsHidden = false;
        int a = int(0.55f * float(w));
        const int b = int(1.8f * float(h));
        if (in.currentDrawHeight > int(1.28f * float(h))) {
            a = int(0.85f * float(w));
            out.barsHidden = true;
        }
        panel = (a > in.imageWidth && b > in.imageWidth) ? CoverPanelWidth : std::min(a, b);
    }
    panel = std::max(1, int(float(panel) * in.scale));
    const float d = in.distance;
    out.z = float(CoverPanelWidth - panel) * d / float(panel);
    const int drawWidth = in.imageWidth * panel / CoverPanelWidth;
    const int drawHeight = in.imageHeight * panel / CoverPanelWidth;
    const float f = 0.0622f * (d + out.z) / d * textureScaleFactor(in.textureSize);
    // Half a pixel inward, so that the truncation of placeElement lands on the margin itself.
    out.x = (float(xm) + 0.5f - float(w - drawWidth) / 2.0f) * f;
    out.y = -(float(ym) + 0.5f - float(h - drawHeight) / 2.0f) * f;
    out.marginX = xm;
    out.marginY = ym;
    return out;
}

}  // namespace tevaro::album
