#include <gtest/gtest.h>

#include <vector>

#include "classic_viz/framework/composite.h"

namespace tevaro::viz {
namespace {

constexpr Pixel Behind = 0x00204060;

Pixel compositeOne(Pixel source, const CompositeMode& mode, Pixel behind = Behind) {
    std::vector<Pixel> canvas(1, behind);
    compositeImage(&source, 1, 1, 0, 0, Target{canvas.data(), 1, 1}, mode);
    return canvas[0];
}

CompositeMode perPixel(int blend) {
    CompositeMode m;
    m.kind = CompositeKind::PerPixel;
    m.blendMode = blend;
    m.key = 0x00000001;
    return m;
}

TEST(Composite, PerPixelBlendModesByTransparency) {
    struct Case {
        int blend;
        Pixel source;
        Pixel expected;
    };
    const Case cases[] = {
        {0, 0x00A0B0C0, 0x00A0B0C0},  // T = 0 copies
        {0, 0xFFA0B0C0, Behind},      // T = 255 skipped in normal mode
        {2, 0xFFA0B0C0, 0xFFFFFFFF},  // ... and white in lighten mode
        {1, 0xFFA0B0C0, Behind},
        {0, 0x80FF0000, 0x808F2030},  // mixed, carrying T: 255 x 127/255 + 32 x 128/255 = 143
        {1, 0x6450A0FF, 0x64003C9B},  // darken: each channel - 100, at least 0
        {2, 0x6450A0FF, 0x64B4FFFF},  // lighten: each channel + 100, at most 255
        {0, 0x00000001, Behind},      // the key colour is never drawn
    };
    for (const Case& c : cases)
        EXPECT_EQ(compositeOne(c.source, perPixel(c.blend)), c.expected)
            << "blend " << c.blend << " source " << std::hex << c.source;
}

TEST(Composite, UniformTransparency255HidesAnd254LeavesAFaintImage) {
    CompositeMode m;
    m.kind = CompositeKind::Uniform;
    m.key = 0x00000001;
    m.transparency = 255;
    EXPECT_EQ(compositeOne(0x00FFFFFF, m), Behind);
    m.transparency = 254;
    // White over black: 255 x 1/255 = 1 in every channel.
    EXPECT_EQ(compositeOne(0x00FFFFFF, m, 0) & ColourBits, 0x00010101u);
    m.transparency = 128;
    EXPECT_EQ(compositeOne(0x00FFFFFF, m, 0) & ColourBits, 0x007F7F7Fu);
}

TEST(Composite, PlainCopySkipsTheKeyUnlessTheKeyIsMinusOne) {
    CompositeMode m;
    m.kind = CompositeKind::Copy;
    m.key = 0;
    EXPECT_EQ(compositeOne(0, m), Behind);
    EXPECT_EQ(compositeOne(0x00010203, m), 0x00010203u);
    m.key = 0xFFFFFFFF;
    m.keyed = false;
    EXPECT_EQ(compositeOne(0xFFFFFFFF, m), 0xFFFFFFFFu);
}

TEST(Composite, StoredRowZeroLandsOnTheBottomRowAndEdgesClip) {
    const std::vector<Pixel> source = {1, 2, 3, 4, 5, 6};  // 2 x 3, stored row 0 = {1, 2}
    std::vector<Pixel> canvas(3 * 4, 0);
    CompositeMode m;
    m.key = 0xFF000000;
    compositeImage(source.data(), 2, 3, 2, 2, Target{canvas.data(), 3, 4}, m);
    // Top-left at (2, 2), bottom row 4: canvas rows 2 and 3 show stored rows 2 and 1; stored row 0
    // falls below the canvas and column 3 right of it.
    EXPECT_EQ(canvas[2 * 3 + 2], 5u);
    EXPECT_EQ(canvas[3 * 3 + 2], 3u);
    EXPECT_EQ(canvas[1 * 3 + 2], 0u);
}

}  // namespace
}  // namespace tevaro::viz
