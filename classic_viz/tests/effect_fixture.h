#pragma once
#include <array>
#include <cstdint>

#include "classic_viz/emberlux/emberlux_scene.h"
#include "classic_viz/framework/effect_core.h"
#include "classic_viz/tessaray/tessaray_archive.h"
#include "classic_viz/tessaray/tessaray_scene.h"
#include "classic_viz/throbwave/pulse_archive.h"
#include "classic_viz/throbwave/throbwave_scene.h"

namespace tevaro::viz::testing {

// One of the block and bar effects as the player drives it: the shipped archive, its own random
// source, a 350 x 320 window on a 32-bit screen.
template <typename Script>
struct EffectFixture {
    static EffectDescription describe() {
        if constexpr (std::is_same_v<Script, TessarayScene>)
            return tessarayDescription(tessarayArchive, tessarayArchiveSize);
        else
            return pulseDescription(pulseArchive, pulseArchiveSize);
    }

    RandomSource random;
    Script script;
    EffectDescription description = describe();
    EffectCore effect{description, script, random};
    PresentedImage out;
    std::array<std::uint8_t, SpectrumBins> bins{};

    explicit EffectFixture(int preset = 0) { effect.setCurrentPreset(preset); }

    bool frame() {
        std::array<std::uint8_t, SpectrumBins> copy = bins;  // the player's buffer is reduced in place
        return effect.render(copy.data(), RenderRect{0, 0, 350, 320}, 32, out);
    }
    // Every bin at `value`: after the reduction and the analysis each entry is about that loud.
    void loudness(std::uint8_t value) { bins.fill(value); }
    SceneEngine& scene() { return effect.scene; }
    Layer& layer(int n) { return effect.scene.layers[static_cast<std::size_t>(n)]; }
    Pixel canvasAt(int x, int y) const {
        return effect.scene.canvasPixels()[y * effect.scene.canvasWidth() + x] & ColourBits;
    }
};

using TessarayFixture = EffectFixture<TessarayScene>;
using ThrobwaveFixture = EffectFixture<ThrobwaveScene>;
using EmberluxFixture = EffectFixture<EmberluxScene>;

}  // namespace tevaro::viz::testing
