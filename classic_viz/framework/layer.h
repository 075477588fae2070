#pragma once
#include <cstdint>
#include <vector>

#include "classic_viz/framework/pixels.h"

namespace tevaro::viz {

enum LayerClass : std::int32_t { ClassFree = -1, ClassBackground = 0, ClassForeground = 1, ClassAnimated = 2 };
enum LayerState : std::int32_t { StateHidden = 0, StateDrawn = 1, StateDraw = 2, StateRedraw = 3 };
enum BlendMode : std::int32_t { BlendNormal = 0, BlendDarken = 1, BlendLighten = 2 };
enum ResultSelector : std::int32_t { ResultPicture = 0, ResultPassA = 1, ResultPassB = 2 };
constexpr std::int32_t Composited = 0;
constexpr std::int32_t NotComposited = -1;
constexpr std::int32_t NoKey = -1;  // key colour that matches no pixel in a plain copy

// One sprite of the scene. A zeroed record is a valid layer (background, hidden, no picture).
struct Layer {
    std::int32_t layerClass = 0;
    std::int32_t ownBuffer = 0;
    std::int32_t state = 0;
    std::int32_t screenX = 0, screenY = 0;  // top-left on the canvas, from placement
    std::int32_t scale = 0;                 // 1/256 units
    std::int32_t archiveSlot = 0, imageNumber = 0;
    ImageView picture;
    std::int32_t drawnWidth = 0, drawnHeight = 0;  // after scaling and clipping
    std::int32_t keyColour = 0;
    std::int32_t worldX = 0, worldY = 0, lift = 0;
    std::int32_t depth = 0;  // sort key from placement
    std::int32_t imageWidth = 0, imageHeight = 0;
    std::int32_t clipped = 0;
    std::int32_t savedX = 0, savedY = 0, savedWidth = 0, savedHeight = 0;
    std::int32_t resultSelector = 0;
    std::int32_t composited = Composited;
    std::int32_t blendMode = 0;
    std::int32_t edgeWidth = 0, edgeTransparency = 0, distanceScans = 0;
    std::int32_t maskLayer = 0;
    std::int32_t outlineWidth = 0;
    std::int32_t distanceRebuild = 0;  // 3 rebuild the map, 2 force the edge pass
    std::int32_t scrollWrapMode = 0;
    std::int32_t shearModulationB = 0, shearModulationC = 0;
    std::int32_t ripplePhaseSourceX = 0, ripplePhaseSourceY = 0;
    std::int32_t rippleAmplitude = 0;  // pixels
    std::int32_t brightness = 0;
    std::int32_t maxDistance = 0;  // largest entry of the distance map

    bool isComposited() const { return composited == Composited; }
    Pixel key() const { return static_cast<Pixel>(keyColour); }
};

// Per-frame motion of a layer, in degrees, pixels and transparency steps per frame.
struct LayerMotion {
    float freeAngle1 = 0, freeAngle1Speed = 0;
    float freeAngle2 = 0, freeAngle2Speed = 0;
    float transparency = 0, transparencySpeed = 0;
    float scrollX = 0, scrollY = 0, scrollSpeedX = 0, scrollSpeedY = 0;
    float shearB = 0, shearC = 0;
    float rippleFrequencyX = 0, rippleFrequencyY = 0;
    float quadratic = 0;  // used x 0.001
};

// The images a layer owns; kept apart from the record so that zeroing a record never leaks them.
struct LayerImages {
    std::vector<Pixel> own;  // word 0 is the own picture's edge-pass stamp
    std::vector<Pixel> passA, passB;
    std::vector<std::uint32_t> distance;

    void releasePasses() {
        passA = {};
        passB = {};
        distance = {};
    }
    void releaseAll() {
        own = {};
        releasePasses();
    }
};

}  // namespace tevaro::viz
