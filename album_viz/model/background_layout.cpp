#include "album_viz/model/background_layout.h"

#include "album_viz/model/spectrum_bars.h"

namespace tevaro::album {

BackgroundLayout layoutBackground(int iw, int ih, int w, int h) {
    BackgroundLayout out{};
    out.imageWidth = w;
    out.imageHeight = iw > 0 ? w * ih / iw : h;
    if (out.imageHeight < h) {
        out.imageHeight = h;
        out.imageWidth = ih > 0 ? iw * h / ih : w;
    }
    out.imageX = (w - out.imageWidth) / 2;
    out.imageY = (h - out.imageHeight) / 2;
    out.bandHeight = barBandHeight(w, h);
    out.gradientHeight = out.bandHeight / 2;
    out.upperGradientY = h - 2 * out.gradientHeight;
    out.lowerGradientY = h - out.gradientHeight;
    return out;
}

}  // namespace tevaro::album
