#pragma once
#include <cstddef>
#include <cstdint>

#include "classic_viz/framework/effect_core.h"

namespace tevaro::viz {

// Flat coloured blocks with soft edges, each recoloured every frame from a scrolling colour strip
// by the loudness of the spectrum entry it follows; they vanish while the music is quiet.
class TessarayScene : public SceneScript {
public:
    static constexpr int ArchiveSlot = 2;
    static constexpr int Backdrop = 0;
    static constexpr int Strip = 1;
    static constexpr int FirstBlock = 2;
    static constexpr int CentreTile = 22;  // preset 0's last block
    enum Preset { LightBeds = 0, SquareRhythm = 1, Delight = 2 };

    void run(EffectCore& effect) override;
    void continueScene(EffectCore& effect) override;

    // The last block layer of a preset: 22 in preset 0, 51 otherwise.
    static int lastBlock(int preset);
    // Presets 1 and 2: the spectrum entry block `layer` follows, 3k for k = layer + 3 + offset folded below 61.
    static int blockEntryIndex(int layer, int offset);
    // Preset 1: the strip's first pixel scaled by f = (2v + 90) / 255, at most 1.
    static Pixel scaledColour(Pixel stripColour, int v);

    int frameCounter = 0;
    int spectrumOffset = 0;

private:
    void setUp(EffectCore& effect, int preset);
    void everyFrame(EffectCore& effect, int preset);
    void colourBlocks(EffectCore& effect, int preset);
};

EffectDescription tessarayDescription(const std::uint8_t* archive, std::size_t length);

}  // namespace tevaro::viz
