#pragma once
#include <array>
#include <cstdint>

#include "classic_viz/framework/spectrum_analysis.h"

namespace tevaro::viz::bench {

// A busy spectrum that changes every frame, so every sprite and column is redrawn loud.
inline void busySpectrum(int frame, std::array<std::uint8_t, SpectrumBins>& bins) {
    std::uint32_t state = 0x12345u + static_cast<std::uint32_t>(frame) * 7919u;
    for (auto& b : bins) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(60 + (state >> 26) * 3);
    }
}

}  // namespace tevaro::viz::bench
