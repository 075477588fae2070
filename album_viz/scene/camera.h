#pragma once
#include <cstdint>

namespace tevaro::album {

// Pitch that stands an element's horizontal grid up to face the camera (just short of π/2).
constexpr float StandUpPitch = 1.567f;

// Side of the square power-of-two texture for a picture: 256 up to 255 pixels, else the smallest
// power of two strictly greater than the larger side.
int elementTextureSize(int width, int height);

// Camera distance (negative: the camera sits on +z looking back) at which one texel of a texture
// of the given size covers about one pixel at z = 0 for a render height H.
float cameraDistance(int textureSize, int renderHeight);

// World units per screen pixel at z = 0, as a multiple of 0.0622: 4 for 256, halving per doubling.
float textureScaleFactor(int textureSize);

struct Placement {
    float scale;  // s = d / (d + z)
    float worldPerPixel;
    int drawWidth, drawHeight;
    int screenX, screenY;  // top-left corner, pixels
};

// Where an element at (x, y, z) with an image of the given size shows on a W × H screen seen
// from distance d with element textures of size T.
Placement placeElement(float d, int textureSize, int renderWidth, int renderHeight, int imageWidth, int imageHeight,
                       float x, float y, float z);

struct CoverLayoutInput {
    int renderWidth, renderHeight;
    float scale;                  // σ: 1.0 at rest, 0.6 at the start of the zoom
    int marginFactor;             // m: 1, or 3 for the zoom's starting point
    float distance;               // d, the reference distance
    int textureSize;              // T of the element textures
    int imageWidth, imageHeight;  // the panel image (510 wide)
    bool hasAlbumArt;
    int currentDrawHeight;  // the cover's draw height as last placed
};

struct CoverLayout {
    float x, y, z;
    bool barsHidden;
    int marginX, marginY;  // where the panel's top-left corner lands, pixels
};

constexpr int CoverPanelWidth = 510;

bool isCompactWindow(int width, int height);
CoverLayout layoutCover(const CoverLayoutInput& in);

}  // namespace tevaro::album
