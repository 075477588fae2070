#pragma once
#include <cstdint>

#include "classic_viz/framework/pixels.h"

namespace tevaro::viz {

enum class CompositeKind {
    PerPixel,  // each pixel's T, combined by the blend mode
    Uniform,   // one transparency for the whole layer
    Copy,      // every non-key pixel replaces the target's
};

struct CompositeMode {
    CompositeKind kind = CompositeKind::Copy;
    int blendMode = 0;     // PerPixel: 0 normal, 1 darken, 2 lighten
    int transparency = 0;  // Uniform: 1..254
    Pixel key = 0;
    bool keyed = true;  // Copy with key colour -1 copies everything
};

// Composites a source picture (stored bottom row first) whose top-left lands at (x, y) of the
// target; source stored row 0 goes to target row y + height - 1. Parts outside the target are
// clipped.
void compositeImage(const Pixel* source, int width, int height, int x, int y, const Target& target,
                    const CompositeMode& mode);

}  // namespace tevaro::viz
