#pragma once
#include "classic_viz/framework/effect_core.h"

namespace tevaro::viz::painter {

// A preset of a spectrum-bar scene: the painter's settings, the analysis chain, and the surface
// (layer 0), strip (layer 1) and brush (layer 3) as the preset lays them out.
struct BarPreset {
    int brushStyle, orderMode;
    int resampleFactor, smoothing, gain, blendPercent;
    int surfaceEdgeWidth, surfaceEdgeTransparency, surfaceScans, surfaceBrightness;
    int stripImage, stripWorldY;
    float stripSpeed, stripOffset;
    int brushImage, brushWorldY;
    float brushOffset;
    int brushEdgeWidth, brushEdgeTransparency, brushScans;
    bool brushComposited, brushRedrawn;
};

// Builds a bar scene of five layers from the archive in `archiveSlot` for one preset.
void setUpBarScene(EffectCore& effect, int archiveSlot, const BarPreset& preset);

}  // namespace tevaro::viz::painter
