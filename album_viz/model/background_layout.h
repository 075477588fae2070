#pragma once

namespace tevaro::album {

// The sky scaled to cover the window (keeping its aspect, centred) and the pale band along the
// bottom behind the bars, in two gradient halves of F rows each.
struct BackgroundLayout {
    int imageX, imageY, imageWidth, imageHeight;
    int bandHeight;      // E
    int upperGradientY;  // H − 2F: transparent sky blue to pale
    int lowerGradientY;  // H − F: pale to white
    int gradientHeight;  // F
};

BackgroundLayout layoutBackground(int skyWidth, int skyHeight, int renderWidth, int renderHeight);

}  // namespace tevaro::album
