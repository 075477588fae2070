#pragma once
#include <cstddef>
#include <cstdint>

#include "classic_viz/framework/effect_core.h"

namespace tevaro::viz {

// The mirrored spectrum as vertical bars centred on the picture's middle row, painted column by
// column into a black surface and composited with soft, darkened edges.
class ThrobwaveScene : public SceneScript {
public:
    static constexpr int ArchiveSlot = 1;
    static constexpr int LayerCount = 5;
    enum Preset { TheseLips = 0, MusicIsland = 1, SteelRhythm = 2 };

    void run(EffectCore& effect) override;
    void continueScene(EffectCore& effect) override;

private:
    void setUp(EffectCore& effect, int preset);
};

// What the two spectrum-bar effects share in their description: slot 1, images 1, 2, 1, 2, 2, 2.
EffectDescription pulseDescription(const std::uint8_t* archive, std::size_t length);

}  // namespace tevaro::viz
