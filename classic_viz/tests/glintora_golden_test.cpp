#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "classic_viz/tests/glintora_fixture.h"
#include "classic_viz/tests/golden_frames.h"

namespace tevaro::viz {
namespace {

using testing::GlintoraFixture;

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
    for (const Case& c : cases)
        EXPECT_EQ(testing::renderPreset<GlintoraFixture>(c.preset, Frames), c.checksum) << "preset " << c.preset;
}

}  // namespace
}  // namespace tevaro::viz
