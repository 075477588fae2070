#pragma once
#include <cstddef>
#include <cstdint>

#include "classic_viz/framework/effect_core.h"

namespace tevaro::viz {

// The star field: 43 star sprites on a jittered 7-column grid over a stamped background of small
// stars, each star following one spectrum entry.
class GlintoraScene : public SceneScript {
public:
    static constexpr int ArchiveSlot = 4;
    static constexpr int FirstStar = 9;
    static constexpr int LastStar = 51;
    static constexpr int Brush = 5;
    static constexpr int SmallMask = 6;
    static constexpr int LargeMask = 7;
    static constexpr int Strip = 1;
    enum Preset { Starlight = 0, StarClouds = 1, StarGlow = 2 };

    void run(EffectCore& effect) override;

    // The spectrum entry star `layer` follows: k = layer - 4 + offset, folded back into 5..42.
    static int starEntryIndex(int layer, int offset);
    // "Starlight": the picture for an entry value, 63 for silence, then 62 (faint) .. 54 (loud).
    static int starPicture(int value);
    // The largest 2^k - 1 not above a cell size, so that random & mask stays inside the cell.
    static int jitterMask(int cellSize);

    // Rebuild steps, public so each can be checked on its own.
    // Small stars stamped into layer 0 with the brush, row by row from random steps.
    void stampBackground(EffectCore& effect, int preset);
    // The 43 stars on a 7-column grid, each moved by a random amount inside its cell.
    void layOutGrid(EffectCore& effect, int preset);

    int frameCounter = 0;
    int spectrumOffset = 0;
    int quietFlag = 0;

private:
    void setUp(EffectCore& effect, int preset);
    void rebuild(EffectCore& effect, int preset);
    void updateStars(EffectCore& effect, int preset);
};

// The description of the deliverable, around the archive bytes it ships.
EffectDescription glintoraDescription(const std::uint8_t* archive, std::size_t length);

}  // namespace tevaro::viz
