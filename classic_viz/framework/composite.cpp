#include "classic_viz/framework/composite.h"

#include <algorithm>

namespace tevaro::viz {

namespace {

// Weights of "source x (1 - T/255) + behind x T/255", taken once per T instead of per channel.
struct MixTable {
    float behind[256];
    float front[256];
    MixTable() {
        for (int t = 0; t < 256; ++t) {
            behind[t] = static_cast<float>(t) / 255.0f;
            front[t] = static_cast<float>(255 - t) / 255.0f;  // 1 - t/255 without the rounding of a subtraction
        }
    }
};
const MixTable mix;

int mixChannel(int front, int behind, int t) {
    const int v =
        static_cast<int>(static_cast<float>(front) * mix.front[t] + static_cast<float>(behind) * mix.behind[t]);
    return clampChannel(v);
}

Pixel mixPixel(Pixel src, Pixel dst, int t, int carriedT) {
    return makePixel(carriedT, mixChannel(redOf(src), redOf(dst), t), mixChannel(greenOf(src), greenOf(dst), t),
                     mixChannel(blueOf(src), blueOf(dst), t));
}

// Darken pulls every channel down by T; lighten pushes it up by T. Neither mixes with the target.
Pixel darken(Pixel src, int t) {
    return makePixel(t, std::max(0, redOf(src) - t), std::max(0, greenOf(src) - t), std::max(0, blueOf(src) - t));
}
Pixel lighten(Pixel src, int t) {
    return makePixel(t, std::min(255, redOf(src) + t), std::min(255, greenOf(src) + t), std::min(255, blueOf(src) + t));
}

template <typename Op>
void forEachRow(const Pixel* source, int width, int height, int x, int y, const Target& target, Op op) {
    const int x0 = std::max(0, x), x1 = std::min(target.width, x + width);
    const int y0 = std::max(0, y), y1 = std::min(target.height, y + height);
    if (x0 >= x1 || y0 >= y1) return;
    for (int ty = y0; ty < y1; ++ty) {
        const int storedRow = y + height - 1 - ty;
        const Pixel* src = source + storedRow * width + (x0 - x);
        Pixel* dst = target.pixels + ty * target.width + x0;
        op(src, dst, x1 - x0);
    }
}

}  // namespace

void compositeImage(const Pixel* source, int width, int height, int x, int y, const Target& target,
                    const CompositeMode& mode) {
    const Pixel key = mode.key;
    switch (mode.kind) {
        case CompositeKind::Copy:
            if (!mode.keyed) {
                forEachRow(source, width, height, x, y, target,
                           [](const Pixel* s, Pixel* d, int n) { std::copy_n(s, n, d); });
                return;
            }
            forEachRow(source, width, height, x, y, target, [key](const Pixel* s, Pixel* d, int n) {
                for (int i = 0; i < n; ++i)
                    if (s[i] != key) d[i] = s[i];
            });
            return;
        case CompositeKind::Uniform: {
            const int t = mode.transparency;
            if (t >= 255) return;
            forEachRow(source, width, height, x, y, target, [key, t](const Pixel* s, Pixel* d, int n) {
                for (int i = 0; i < n; ++i)
                    if (s[i] != key) d[i] = mixPixel(s[i], d[i], t, transparencyOf(s[i]));
            });
            return;
        }
        case CompositeKind::PerPixel:
            break;
    }

    const int blend = mode.blendMode;
    forEachRow(source, width, height, x, y, target, [key, blend](const Pixel* s, Pixel* d, int n) {
        for (int i = 0; i < n; ++i) {
            const Pixel px = s[i];
            if (px == key) continue;
            const int t = transparencyOf(px);
            if (t == 0) {
                d[i] = px;
            } else if (t == 255) {
                if (blend == 2) d[i] = px | ColourBits;  // lighten by the full amount: white
            } else if (blend == 1) {
                d[i] = darken(px, t);
            } else if (blend == 2) {
                d[i] = lighten(px, t);
            } else {
                d[i] = mixPixel(px, d[i], t, t);
            }
        }
    });
}

}  // namespace tevaro::viz
