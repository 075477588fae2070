#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "classic_viz/tests/effect_fixture.h"
#include "classic_viz/tests/golden_frames.h"

namespace tevaro::viz {
namespace {

using testing::canvasChecksum;
using testing::syntheticSpectrum;

// Frame checksums of one preset summed into one value; CLASSIC_GOLDEN_VERBOSE=1 prints each frame's
// so a change can be traced to the first frame that differs.
template <typename Script>
std::uint32_t renderPreset(int preset, int frames) {
    testing::EffectFixture<Script> f(preset);
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

constexpr int Frames = 96;
struct Case {
    int preset;
    std::uint32_t checksum;
};

TEST(TessarayGolden, EveryPresetRendersTheCommittedPixels) {
    const Case cases[] = {{0, 0xFB96B36Bu}, {1, 0x6FDBB43Bu}, {2, 0x334F1274u}};
    for (const Case& c : cases)
        EXPECT_EQ(renderPreset<TessarayScene>(c.preset, Frames), c.checksum) << "preset " << c.preset;
}

TEST(ThrobwaveGolden, EveryPresetRendersTheCommittedPixels) {
    const Case cases[] = {{0, 0x7044698Eu}, {1, 0xBD3A5786u}, {2, 0x50BE793Bu}};
    for (const Case& c : cases)
        EXPECT_EQ(renderPreset<ThrobwaveScene>(c.preset, Frames), c.checksum) << "preset " << c.preset;
}

TEST(EmberluxGolden, EveryPresetRendersTheCommittedPixels) {
    const Case cases[] = {{0, 0xE799B4AEu}, {1, 0xC1908DD3u}, {2, 0x905018CBu}};
    for (const Case& c : cases)
        EXPECT_EQ(renderPreset<EmberluxScene>(c.preset, Frames), c.checksum) << "preset " << c.preset;
}

}  // namespace
}  // namespace tevaro::viz
