#pragma once
#include "classic_viz/framework/effect_core.h"
#include "classic_viz/framework/pixels.h"
#include "classic_viz/framework/scene_engine.h"
#include "classic_viz/framework/spectrum_analysis.h"

namespace tevaro::viz {

// The painter of the spectrum-bar effects: every frame each spectrum entry becomes one column of
// layer 0, drawn by a one-pixel-wide brush (layer 3) filled from the scrolling colour strip (layer 1).
namespace painter {

constexpr int Surface = 0;
constexpr int Strip = 1;
constexpr int Brush = 3;

// How a column's brush is filled from the strip (the scene's brush style; 1 leaves it as it is).
enum BrushStyle : int {
    StyleNone = 1,
    StyleBar = 2,         // the strip's start, then the colour of its stored row 256
    StyleFadedBar = 3,    // as the bar, its last three copied pixels fading
    StyleReversed = 4,    // the strip read backwards from 3v + 1 (one-pixel brush)
    StyleFolded = 5,      // the strip's start and back again, the rest transparent black
    StyleFoldedSoft = 6,  // folded with graded transparency, the rest two ramps
};

// Fills `brush` for an entry value `v` from `strip` (both addressed linearly, stored order).
void fillBrush(int style, const ImageView& strip, const ImageView& brush, int v);

// Where the brush goes for an order mode: sets its screen y (and for mode 8 its scroll offset y).
// False when the column is not drawn.
bool positionBrush(int orderMode, int v, Layer& brush, LayerMotion& brushMotion);

// Paints every column of the latest spectrum into layer 0 with the current brush style and order mode.
void paintSpectrum(SceneEngine& scene, const SpectrumAnalysis& spectrum);

// The preset check of a painted scene whose preset did not change: when `gateLayer` has pixels,
// layer 0 is cleared (built and composited), the spectrum painted (built), then the script runs.
void continuePaintedScene(EffectCore& effect, SceneScript& script, int gateLayer);

}  // namespace painter

}  // namespace tevaro::viz
