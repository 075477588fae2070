#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "classic_viz/tests/effect_fixture.h"
#include "classic_viz/tests/golden_frames.h"

namespace tevaro::viz {
namespace {

constexpr int Frames = 96;
struct Case {
    int preset;
    std::uint32_t checksum;
};

TEST(TessarayGolden, EveryPresetRendersTheCommittedPixels) {
    const Case cases[] = {{0, 0xFB96B36Bu}, {1, 0x6FDBB43Bu}, {2, 0x334F1274u}};
    for (const Case& c : cases)
        EXPECT_EQ(testing::renderPreset<testing::TessarayFixture>(c.preset, Frames), c.checksum)
            << "preset " << c.preset;
}

TEST(ThrobwaveGolden, EveryPresetRendersTheCommittedPixels) {
    const Case cases[] = {{0, 0x7044698Eu}, {1, 0xBD3A5786u}, {2, 0x50BE793Bu}};
    for (const Case& c : cases)
        EXPECT_EQ(testing::renderPreset<testing::ThrobwaveFixture>(c.preset, Frames), c.checksum)
            << "preset " << c.preset;
}

TEST(EmberluxGolden, EveryPresetRendersTheCommittedPixels) {
    const Case cases[] = {{0, 0xE799B4AEu}, {1, 0xC1908DD3u}, {2, 0x905018CBu}};
    for (const Case& c : cases)
        EXPECT_EQ(testing::renderPreset<testing::EmberluxFixture>(c.preset, Frames), c.checksum)
            << "preset " << c.preset;
}

}  // namespace
}  // namespace tevaro::viz
