#include "classic_viz/framework/image_passes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tevaro::viz {

namespace {

constexpr std::uint32_t DistanceBits = 0xFFFF;
constexpr std::uint32_t Unreached = 0xFFFE;
constexpr int CounterLimit = 255;

// One scan line of the distance map: `first` and `stride` walk `count` pixels.
void scanLine(const Pixel* image, std::uint32_t* map, int first, int stride, int count, Pixel key, bool keepSmaller) {
    int counter = 0;
    for (int n = 0, i = first; n < count; ++n, i += stride) {
        if (image[i] == key) {
            if (!keepSmaller && counter != 0) map[i] = (map[i] & ~DistanceBits) | DistanceBits;
            counter = 0;
            continue;
        }
        counter = std::min(counter + 1, CounterLimit);
        const std::uint32_t stored = map[i] & DistanceBits;
        if (!keepSmaller || static_cast<std::uint32_t>(counter) < stored)
            map[i] = (map[i] & ~DistanceBits) | static_cast<std::uint32_t>(counter);
    }
}

int saturate(int v) { return v > 255 ? 255 : (v < 0 ? 0 : v); }

}  // namespace

int buildDistanceMap(const Pixel* image, int width, int height, Pixel key, int scans, std::uint32_t* map) {
    scans &= 15;
    if (scans == 0) scans = 15;
    const int count = width * height;
    if (scans & 8) {
        for (int row = 0; row < height; ++row) scanLine(image, map, row * width, 1, width, key, false);
    } else {
        for (int i = 0; i < count; ++i)
            if (image[i] != key) map[i] = (map[i] & ~DistanceBits) | Unreached;
    }
    if (scans & 4)
        for (int row = 0; row < height; ++row) scanLine(image, map, row * width + width - 1, -1, width, key, true);
    if (scans & 2)
        for (int col = 0; col < width; ++col) scanLine(image, map, col, width, height, key, true);
    if (scans & 1)
        for (int col = 0; col < width; ++col)
            scanLine(image, map, (height - 1) * width + col, -width, height, key, true);

    // Only picture pixels count: key pixels hold markers, not distances.
    int largest = 0;
    for (int i = 0; i < count; ++i)
        if (image[i] != key) largest = std::max(largest, static_cast<int>(map[i] & DistanceBits));
    return largest;
}

std::int32_t edgeStamp(int edgeWidth, int edgeTransparency, float transparency, int maskLayer) {
    return edgeWidth + edgeTransparency * 255 + static_cast<int>(transparency) + maskLayer + 1;
}

void edgeTransparencyPass(const EdgeParams& p, Pixel* image, int count, Pixel key, const std::uint32_t* distance,
                          const Pixel* mask) {
    const int W = p.edgeWidth;
    const int E = std::abs(p.edgeTransparency);
    const float perStep = W != 0 ? static_cast<float>(E) / static_cast<float>(W) : 0.0f;
    // A shape thinner than a third of the edge width would never reach full strength: the ramp
    // starts higher by what the missing depth would have added.
    float raised = static_cast<float>(E);
    if (W != 0 && p.maxDistance < W / 3)
        raised = static_cast<float>(E) + static_cast<float>(W / 3 - p.maxDistance) * perStep;
    const bool ramp = W != 0 && E != 0 && distance != nullptr;
    const int rampTop = static_cast<int>(raised);

    auto rampTerm = [&](int i, int& term) {
        const int d = static_cast<int>(distance[i] & DistanceBits);
        if (d > W) return false;
        term = std::min(255, rampTop - (d * rampTop) / W);
        return true;
    };

    if (p.transparency == 0.0f) {
        if (mask == nullptr) {
            if (!ramp) return;
            for (int i = 0; i < count; ++i) {
                int term;
                if (image[i] != key && rampTerm(i, term)) image[i] = withTransparency(image[i], term);
            }
            return;
        }
        for (int i = 0; i < count; ++i) {
            if (image[i] == key) continue;
            int t = 255 - blueOf(mask[i]);
            int term;
            if (ramp && rampTerm(i, term)) t = std::min(255, t + term);
            image[i] = withTransparency(image[i], t);
        }
        return;
    }

    for (int i = 0; i < count; ++i) {
        if (image[i] == key) continue;
        float e = 0.0f;
        if (W != 0 && distance != nullptr) {
            const int d = static_cast<int>(distance[i] & DistanceBits);
            if (d >= 1 && d <= W) e = raised - static_cast<float>(d) * perStep;
        }
        int t = saturate(static_cast<int>(p.transparency + e));
        if (mask != nullptr) t = std::min(255, t + 255 - blueOf(mask[i]));
        image[i] = withTransparency(image[i], t);
    }
}

namespace {

// Repeated addition or subtraction of the limit until the offset lies in -limit..limit.
float wrapOffset(float offset, float limit) {
    if (limit <= 0.0f || (offset <= limit && offset >= -limit)) return offset;
    float r = std::fmod(offset, limit);
    if (r == 0.0f) r = offset > 0.0f ? limit : -limit;
    return r;
}

}  // namespace

void scrollPass(const Pixel* in, Pixel* out, int width, int height, Pixel key, int wrapMode, float& offsetX,
                float& offsetY) {
    offsetX = wrapOffset(offsetX, static_cast<float>(width));
    offsetY = wrapOffset(offsetY, static_cast<float>(height));
    const int count = width * height;
    if (wrapMode < 3)
        std::fill_n(out, count, key);
    else
        std::copy_n(in, count, out);

    const int dx = static_cast<int>(offsetX);  // signed whole pixels: right / towards higher rows
    const int dy = static_cast<int>(offsetY);
    const bool wraps = wrapMode == 0 || wrapMode >= 4;
    for (int row = 0; row < height; ++row) {
        int toRow = row + dy;
        if (toRow < 0 || toRow >= height) {
            if (!wraps) continue;
            toRow = (toRow % height + height) % height;
        }
        const Pixel* src = in + row * width;
        Pixel* dst = out + toRow * width;
        for (int col = 0; col < width; ++col) {
            if (src[col] == key) continue;
            int toCol = col + dx;
            if (toCol < 0 || toCol >= width) {
                if (!wraps) continue;
                toCol = (toCol % width + width) % width;
            }
            dst[toCol] = src[col];
        }
    }
    if (wrapMode == 2 || wrapMode == 3) {
        offsetX -= static_cast<float>(dx);
        offsetY -= static_cast<float>(dy);
    }
}

void distortionPass(const Pixel* in, Pixel* out, int width, int height, Pixel key, const DistortionParams& p,
                    const float* cosTable) {
    const int count = width * height;
    std::fill_n(out, count, key);
    const bool shear = p.shearB != 0.0f || p.shearC != 0.0f;
    const bool ripple = p.rippleFrequencyX != 0.0f || p.rippleFrequencyY != 0.0f;
    const float amplitude = static_cast<float>(p.rippleAmplitude);
    const int halfW = width / 2, halfH = height / 2;

    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const Pixel px = in[row * width + col];
            if (px == key) continue;
            float x = static_cast<float>(col - halfW);
            float y = static_cast<float>(row - halfH);
            if (shear) {
                const float kY = y * y * p.quadratic + p.shearB;
                const float kX = x * x * p.quadratic + p.shearC;
                const float x0 = x;
                x = x + y * kY;
                y = y + x0 * kX;
            }
            if (ripple) {
                const float kX = y * y * p.quadratic + amplitude;
                const float kY = x * x * p.quadratic + amplitude;
                const float x0 = x;
                if (p.rippleFrequencyX != 0.0f) {
                    const int i = std::abs(static_cast<int>(std::fabs(y) * p.rippleFrequencyX + p.ripplePhaseX)) % 360;
                    x = x + cosTable[i] * kX;
                }
                if (p.rippleFrequencyY != 0.0f) {
                    const int j = std::abs(static_cast<int>(std::fabs(x0) * p.rippleFrequencyY + p.ripplePhaseY)) % 360;
                    y = y + cosTable[j] * kY;
                }
            }
            const int toCol = static_cast<int>(x) + halfW;
            const int toRow = static_cast<int>(y) + halfH;
            if (toCol >= 0 && toCol < width && toRow >= 0 && toRow < height) out[toRow * width + toCol] = px;
        }
    }
}

void colourPass(const Pixel* in, Pixel* out, int count, Pixel key, int brightness) {
    for (int i = 0; i < count; ++i) {
        const Pixel px = in[i];
        if (px == key) {
            out[i] = px;
            continue;
        }
        out[i] = makePixel(transparencyOf(px), saturate(redOf(px) + brightness), saturate(greenOf(px) + brightness),
                           saturate(blueOf(px) + brightness));
    }
}

void outlinePass(const Pixel* in, Pixel* out, int width, int height, Pixel key, int outlineWidth) {
    const int count = width * height;
    // Spiral legs: right, to the next lower stored row, left, towards higher rows; lengths 1,1,2,2,3,3...
    for (int start = 0; start < count; ++start) {
        const Pixel px = in[start];
        out[start] = px;
        if (px != key) continue;
        int index = start;
        int col = start % width;
        int steps = 0;
        bool walking = true;
        for (int leg = 0; walking && steps < outlineWidth; ++leg) {
            const int length = leg / 2 + 1;
            for (int s = 0; s < length && steps < outlineWidth; ++s, ++steps) {
                switch (leg & 3) {
                    case 0:  // right, within the row
                        if (col + 1 >= width) {
                            walking = false;
                            break;
                        }
                        ++col;
                        ++index;
                        break;
                    case 1:  // one stored row lower
                        index -= width;
                        if (index <= 0) walking = false;
                        break;
                    case 2:  // left, never onto the row's first pixel
                        if (col - 1 <= 0) {
                            walking = false;
                            break;
                        }
                        --col;
                        --index;
                        break;
                    default:  // one stored row higher
                        index += width;
                        if (index >= count) walking = false;
                        break;
                }
                if (!walking) break;
                if (in[index] != key) {
                    out[start] = in[index];
                    walking = false;
                    break;
                }
            }
        }
    }
}

}  // namespace tevaro::viz
