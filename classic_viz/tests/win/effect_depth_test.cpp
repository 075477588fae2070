// Render into a real window on a 16-bit virtual display, where the window's DC answers 16 bits per
// pixel: the picture on the screen is the engine's 32-bit picture packed to 5-5-5, pixel for pixel.
// (A memory DC under Wine always answers 32 bits, so only a window shows the other depths.)
#include <memory>
#include <vector>

#include "fresh_effect.h"
#include "host_sim/viz/render_target.h"

namespace tevaro::viz::test {
namespace {

// The top five bits of each channel: what a 5-5-5 pixel keeps of a 32-bit one.
std::uint32_t fiveBits(std::uint32_t rgb) { return rgb & 0xF8F8F8; }

class EffectOnSixteenBitScreen : public testing::TestWithParam<EngineRow> {};

TEST_P(EffectOnSixteenBitScreen, ShowsTheThirtyTwoBitPicturePackedToFiveFiveFive) {
    for (int preset = 0; preset < 3; ++preset) {
        SCOPED_TRACE(testing::Message() << "preset " << preset);
        FreshEffect fresh(*GetParam().effect);
        ASSERT_NE(fresh.effect(), nullptr);
        host_sim::WindowTarget window(350, 320);
        ASSERT_TRUE(window.valid());
        ASSERT_EQ(GetDeviceCaps(window.dc(), BITSPIXEL), 16) << "the test runs on the 16-bit display";
        ReferenceEngine engine(GetParam(), fresh.resource(GetParam().archiveResource), 350, 320);
        ASSERT_EQ(fresh.effect()->SetCurrentPreset(preset), S_OK);
        engine.setCurrentPreset(preset);
        auto levels = std::make_unique<TimedLevel>();
        const RECT rect{0, 0, 350, 320};
        for (int frame = 0; frame < 12; ++frame) {
            SCOPED_TRACE(testing::Message() << "frame " << frame);
            syntheticLevels(frame, *levels);
            engine.render(*levels, rect);  // the 32-bit picture
            RECT r = rect;
            ASSERT_EQ(fresh.effect()->Render(levels.get(), window.dc(), &r), S_OK);
            window.pump();
            const host_sim::Capture shot = window.capture();
            int differing = 0, first = -1, coloured = 0;
            for (std::size_t i = 0; i < engine.screen().size(); ++i) {
                coloured += fiveBits(engine.screen()[i]) != 0;
                if (fiveBits(shot.pixels[i]) != fiveBits(engine.screen()[i])) {
                    if (first < 0) first = static_cast<int>(i);
                    ++differing;
                }
            }
            EXPECT_EQ(differing, 0) << "first at x " << first % 350 << " y " << first / 350 << ": screen " << std::hex
                                    << shot.pixels[static_cast<std::size_t>(std::max(first, 0))] << ", engine "
                                    << engine.screen()[static_cast<std::size_t>(std::max(first, 0))];
            if (frame == 11) EXPECT_GT(coloured, 1000) << "the frames compared show a picture";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dlls, EffectOnSixteenBitScreen, testing::ValuesIn(EngineRows), engineRowName);

}  // namespace
}  // namespace tevaro::viz::test
