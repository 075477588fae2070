#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "classic_viz/tests/glintora_fixture.h"
#include "classic_viz/tests/golden_frames.h"

namespace tevaro::viz {
namespace {

using testing::canvasChecksum;
using testing::GlintoraFixture;
using testing::syntheticSpectrum;

// Frame checksums of one preset summed into one value; GLINTORA_GOLDEN_VERBOSE=1 prints each frame's
// so a change can be traced to the first frame that differs.
std::uint32_t renderPreset(int preset, int frames) {
    GlintoraFixture f;
    f.effect.setCurrentPreset(preset);
    const bool verbose = std::getenv("GLINTORA_GOLDEN_VERBOSE") != nullptr;
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

TEST(GlintoraGolden, EveryPresetRendersTheCommittedPixels) {
    constexpr int Frames = 96;
    struct Case {
        int preset;
        std::uint32_t checksum;
    };
    const Case cases[] = {
        {GlintoraScene::Starlight, 0x7641DD23u},
        {GlintoraScene::StarClouds, 0x38083CC6u},
        {GlintoraScene::StarGlow, 0x17CB375Du},
    };
    for (const Case& c : cases) EXPECT_EQ(renderPreset(c.preset, Frames), c.checksum) << "preset " << c.preset;
}

}  // namespace
}  // namespace tevaro::viz
