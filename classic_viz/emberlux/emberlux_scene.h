#pragma once
#include <cstddef>
#include <cstdint>

#include "classic_viz/framework/effect_core.h"

namespace tevaro::viz {

// The spectrum painted as bars anchored at one edge of the picture, from the same painter and
// archive as the centred bars; its third preset sharpens with the music and fades out in silence.
class EmberluxScene : public SceneScript {
public:
    static constexpr int ArchiveSlot = 1;
    static constexpr int LayerCount = 5;
    enum Preset { FlameDance = 0, FireColours = 1, Flood = 2 };

    void run(EffectCore& effect) override;
    void continueScene(EffectCore& effect) override;

    // Preset 2's response to the average level: the brush's edge width and the temporal blend.
    static void adjustResponse(int averageLevel, int& edgeWidth, int& blendPercent, bool& surfaceShown);

private:
    void setUp(EffectCore& effect, int preset);
};

}  // namespace tevaro::viz
