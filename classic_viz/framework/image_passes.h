#pragma once
#include <cstdint>

#include "classic_viz/framework/pixels.h"

namespace tevaro::viz {

// Per-layer image operations. Every pass reads one image and writes another of the same size;
// pixels equal to the key colour are never changed. Images are stored bottom row first.

// Distance of every non-key pixel from the nearest key pixel or border along the scanned
// directions (low 16 bits of each word). scans: bit 8 left to right, 4 right to left, 2 along
// columns upward, 1 downward; 0 means all four. Returns the largest distance of a non-key pixel.
int buildDistanceMap(const Pixel* image, int width, int height, Pixel key, int scans, std::uint32_t* map);

struct EdgeParams {
    int edgeWidth = 0;
    int edgeTransparency = 0;
    float transparency = 0;
    int maxDistance = 0;
};

// Writes T of the non-key pixels of `image` in place from the edge ramp, a uniform transparency and
// an optional mask (255 minus the mask's blue channel at the same index; null for none).
void edgeTransparencyPass(const EdgeParams& params, Pixel* image, int pixelCount, Pixel key,
                          const std::uint32_t* distance, const Pixel* mask);

// The parameter sum kept with a picture; the edge pass runs again only when it changes.
std::int32_t edgeStamp(int edgeWidth, int edgeTransparency, float transparency, int maskLayer);

// Wraps the offsets into -width..width and -height..height, moves the picture by their whole parts
// and, in wrap modes 2 and 3, keeps only their fractions afterwards.
void scrollPass(const Pixel* in, Pixel* out, int width, int height, Pixel key, int wrapMode, float& offsetX,
                float& offsetY);

struct DistortionParams {
    float shearB = 0, shearC = 0;  // already modulated by their angles
    float quadratic = 0;           // already x 0.001
    float rippleFrequencyX = 0, rippleFrequencyY = 0;
    float ripplePhaseX = 0, ripplePhaseY = 0;
    int rippleAmplitude = 0;
};

void distortionPass(const Pixel* in, Pixel* out, int width, int height, Pixel key, const DistortionParams& params,
                    const float* cosTable);

void colourPass(const Pixel* in, Pixel* out, int pixelCount, Pixel key, int brightness);

// Every key pixel takes the colour of the first non-key pixel met on a square spiral of
// outlineWidth steps (right, down a row, left, up, ...).
void outlinePass(const Pixel* in, Pixel* out, int width, int height, Pixel key, int outlineWidth);

// Index into the 360-entry tables of an angle in degrees, truncated and wrapped.
inline int degreeIndex(float degrees) {
    int i = static_cast<int>(degrees) % 360;
    return i < 0 ? i + 360 : i;
}

}  // namespace tevaro::viz
