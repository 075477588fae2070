#pragma once
#include <array>
#include <cstdint>

#include "classic_viz/framework/scene_engine.h"
#include "classic_viz/framework/spectrum_analysis.h"

namespace tevaro::viz::testing {

// A reproducible spectrum: bands that move with the frame, with a quiet stretch every 32 frames
// so the quiet rules of the scenes are exercised too.
inline void syntheticSpectrum(int frame, std::array<std::uint8_t, SpectrumBins>& bins) {
    const bool quiet = (frame / 16) % 2 == 1 && frame % 16 < 6;
    std::uint32_t state = 0x9E3779B9u * static_cast<std::uint32_t>(frame + 1);
    for (int i = 0; i < SpectrumBins; ++i) {
        state = state * 1664525u + 1013904223u;
        const int band = ((i >> 5) + frame) % 12;
        const int level = band < 4 ? 200 - band * 40 : 30;
        bins[static_cast<std::size_t>(i)] =
            quiet ? 0 : static_cast<std::uint8_t>(level + static_cast<int>(state >> 27));
    }
}

// FNV-1a over the colour bytes of the canvas (its top bytes are not shown).
inline std::uint32_t canvasChecksum(const SceneEngine& scene) {
    std::uint32_t h = 2166136261u;
    const Pixel* p = scene.canvasPixels();
    for (int i = 0, n = scene.canvasWidth() * scene.canvasHeight(); i < n; ++i) {
        h = (h ^ (p[i] & 0xFFu)) * 16777619u;
        h = (h ^ ((p[i] >> 8) & 0xFFu)) * 16777619u;
        h = (h ^ ((p[i] >> 16) & 0xFFu)) * 16777619u;
    }
    return h;
}

}  // namespace tevaro::viz::testing
