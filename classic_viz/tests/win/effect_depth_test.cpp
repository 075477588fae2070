// Render into a real window on a virtual display of another depth, where the window's DC answers
// that depth (a memory DC under Wine always answers 32 bits). Built once per depth (ScreenDepth):
// on 16 bits the picture on the screen is the engine's 32-bit picture packed to 5-5-5, pixel for
// pixel; on 8 bits it is the engine's 32-bit picture stretched to the window, exactly as the same
// StretchDIBits of the engine's own image leaves that window (the palette mapping is the display's).
#include <memory>
#include <vector>

#include "fresh_effect.h"
#include "host_sim/viz/render_target.h"

namespace tevaro::viz::test {
namespace {

constexpr int ScreenDepth = TEVARO_SCREEN_DEPTH;
// An odd width (a padding pixel at 16 bits) and a size the canvases do not scale to exactly, so the
// 8-bit stretch to the window is a real stretch.
constexpr int Width = 361, Height = 331;

// The top five bits of each channel: what a 5-5-5 pixel keeps of a 32-bit one.
std::uint32_t fiveBits(std::uint32_t rgb) { return rgb & 0xF8F8F8; }

// What the engine's presented image leaves on an 8-bit screen: its 32-bit rows stretched to the window.
host_sim::Capture stretchedByHand(const host_sim::WindowTarget& window, const PresentedImage& image) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    StretchDIBits(window.dc(), image.originX, image.originY, image.windowWidth, image.windowHeight, 0, 0, image.width,
                  image.height, image.bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    window.pump();
    return window.capture();
}

class EffectOnScreenOfOtherDepth : public testing::TestWithParam<EngineRow> {};

TEST_P(EffectOnScreenOfOtherDepth, ShowsTheEnginesPictureInTheScreensFormat) {
    for (int preset = 0; preset < 3; ++preset) {
        SCOPED_TRACE(testing::Message() << "preset " << preset);
        FreshEffect fresh(*GetParam().effect);
        ASSERT_NE(fresh.effect(), nullptr);
        host_sim::WindowTarget window(Width, Height);
        ASSERT_TRUE(window.valid());
        ASSERT_EQ(GetDeviceCaps(window.dc(), BITSPIXEL), ScreenDepth) << "the test runs on that display";
        ReferenceEngine engine(GetParam(), fresh.resource(GetParam().archiveResource), Width, Height);
        ASSERT_EQ(fresh.effect()->SetCurrentPreset(preset), S_OK);
        engine.setCurrentPreset(preset);
        auto levels = std::make_unique<TimedLevel>();
        const RECT rect{0, 0, Width, Height};
        for (int frame = 0; frame < 12; ++frame) {
            SCOPED_TRACE(testing::Message() << "frame " << frame);
            syntheticLevels(frame, *levels);
            // The 32-bit picture; on 8 bits the engine's own image is 32-bit rows to be stretched.
            engine.render(*levels, rect, ScreenDepth == 8 ? 8 : 32);
            RECT r = rect;
            ASSERT_EQ(fresh.effect()->Render(levels.get(), window.dc(), &r), S_OK);
            window.pump();
            const host_sim::Capture shot = window.capture();
            std::vector<std::uint32_t> expected;
            if (ScreenDepth == 8) {
                ASSERT_TRUE(engine.image().stretchToWindow);
                expected = stretchedByHand(window, engine.image()).pixels;
            } else {
                for (std::uint32_t p : engine.screen()) expected.push_back(fiveBits(p));
            }
            int differing = 0, first = -1, coloured = 0;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const std::uint32_t seen = ScreenDepth == 8 ? shot.pixels[i] : fiveBits(shot.pixels[i]);
                coloured += expected[i] != 0;
                if (seen != expected[i]) {
                    if (first < 0) first = static_cast<int>(i);
                    ++differing;
                }
            }
            const auto at = static_cast<std::size_t>(std::max(first, 0));
            EXPECT_EQ(differing, 0) << "first at x " << first % Width << " y " << first / Width << ": screen "
                                    << std::hex << shot.pixels[at] << ", expected " << expected[at];
            if (frame == 11) EXPECT_GT(coloured, 1000) << "the frames compared show a picture";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dlls, EffectOnScreenOfOtherDepth, testing::ValuesIn(EngineRows), engineRowName);

}  // namespace
}  // namespace tevaro::viz::test
