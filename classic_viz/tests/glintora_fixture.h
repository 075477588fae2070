#pragma once
#include <array>
#include <cstdint>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/glintora/glintora_archive.h"
#include "classic_viz/glintora/glintora_scene.h"

namespace tevaro::viz::testing {

// The star field as the player drives it: the shipped archive, its own random source, a
// 350 x 320 window on a 32-bit screen.
struct GlintoraFixture {
    RandomSource random;
    GlintoraScene script;
    EffectDescription description = glintoraDescription(glintoraArchive, glintoraArchiveSize);
    EffectCore effect{description, script, random};
    PresentedImage out;
    std::array<std::uint8_t, SpectrumBins> bins{};

    bool frame(int width = 350, int height = 320) {
        std::array<std::uint8_t, SpectrumBins> copy = bins;  // the player's buffer is reduced in place
        return effect.render(copy.data(), RenderRect{0, 0, width, height}, 32, out);
    }
    SceneEngine& scene() { return effect.scene; }
    ImageView archiveImage(int number) { return effect.scene.archive(GlintoraScene::ArchiveSlot).image(number); }
};

}  // namespace tevaro::viz::testing
