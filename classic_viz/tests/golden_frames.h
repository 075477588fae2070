#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

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

// Frame checksums of one preset summed into one value; CLASSIC_GOLDEN_VERBOSE=1 prints each frame's
// so a change can be traced to the first frame that differs.
template <typename Fixture>
std::uint32_t renderPreset(int preset, int frames) {
    Fixture f;
    f.effect.setCurrentPreset(preset);
    const bool verbose = std::getenv("CLASSIC_GOLDEN_VERBOSE") != nullptr;
    std::uint32_t sum = 0;
    for (int frame = 0; frame < frames; ++frame) {
        syntheticSpectrum(frame, f.bins);
        EXPECT_TRUE(f.frame());
        const std::uint32_t c = canvasChecksum(f.scene());
        if (verbose) std::printf("preset %d frame %d: %08x\n", preset, frame, c);
        sum += c;
    }
    return sum;
}

}  // namespace tevaro::viz::testing
