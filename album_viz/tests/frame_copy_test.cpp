// Back buffer to device-independent bitmap rows at each depth, and the background into the back buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "album_viz/framework/frame_copy.h"

namespace tevaro::album {
namespace {

TEST(FrameCopy, DibRowsAreFourByteAlignedAnd16BitWidthsEven) {
    struct Case {
        int width, bits;
        std::size_t bytes;
    };
    const Case cases[] = {{350, 32, 1400}, {3, 24, 12}, {350, 24, 1052}, {3, 16, 8}, {4, 16, 8}, {1, 16, 4}};
    for (const Case& c : cases) EXPECT_EQ(dibRowBytes(c.width, c.bits), c.bytes) << c.width << " at " << c.bits;
}

TEST(FrameCopy, EachDepthGetsTheRightBytes) {
    // Three pixels: pure red, pure green, white, in an X8R8G8B8 surface with a padded pitch of 16.
    std::vector<std::uint8_t> surface(16 * 2, 0xEE);
    const std::uint32_t row[3] = {0x00FF0000, 0x0000FF00, 0x00FFFFFF};
    std::memcpy(surface.data(), row, 12);
    std::memcpy(surface.data() + 16, row, 12);
    struct Case {
        int bits;
        std::vector<std::uint8_t> firstRow;
    };
    const Case cases[] = {
        {32, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0}},
        {24, {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0}},
        // 5-5-5: red 0x7C00, green 0x03E0, white 0x7FFF, then the odd width's repeat.
        {16, {0x00, 0x7C, 0xE0, 0x03, 0xFF, 0x7F, 0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        std::vector<std::uint8_t> dib(dibRowBytes(3, c.bits) * 2, 0);
        ASSERT_TRUE(backBufferToDib(surface.data(), 16, SurfaceFormat::Argb32, 3, 2, c.bits, dib.data()));
        const std::vector<std::uint8_t> first(dib.begin(), dib.begin() + c.firstRow.size());
        EXPECT_EQ(first, c.firstRow);
        EXPECT_TRUE(std::equal(dib.begin(), dib.begin() + dib.size() / 2, dib.begin() + dib.size() / 2));
    }
    std::vector<std::uint8_t> dib(64);
    EXPECT_FALSE(backBufferToDib(surface.data(), 16, SurfaceFormat::Argb32, 3, 2, 8, dib.data()));
}

TEST(FrameCopy, A565BackBufferBecomes555WithOddWidthsRepeatingTheLastPixel) {
    // 5-6-5 red 0xF800, green 0x07E0, blue 0x001F, green's low bit alone 0x0020.
    const std::uint16_t px[4] = {0xF800, 0x07E0, 0x001F, 0x0020};
    std::vector<std::uint8_t> surface(8);
    std::memcpy(surface.data(), px, 8);
    std::vector<std::uint8_t> dib(dibRowBytes(3, 16));
    ASSERT_TRUE(backBufferToDib(surface.data(), 8, SurfaceFormat::Rgb565, 3, 1, 16, dib.data()));
    std::uint16_t out[4];
    std::memcpy(out, dib.data(), 8);
    EXPECT_EQ(out[0], 0x7C00);
    EXPECT_EQ(out[1], 0x03E0);
    EXPECT_EQ(out[2], 0x001F);
    EXPECT_EQ(out[3], 0x001F);  // width 3 rounded up to 4: the last pixel again, not the one past the row
    ASSERT_TRUE(backBufferToDib(surface.data(), 8, SurfaceFormat::Rgb565, 4, 1, 16, dib.data()));
    std::memcpy(out, dib.data(), 8);
    EXPECT_EQ(out[3], 0x0000);
    // Into a 32-bit DC the fields widen to full scale.
    std::vector<std::uint8_t> dib32(16);
    ASSERT_TRUE(backBufferToDib(surface.data(), 8, SurfaceFormat::Rgb565, 4, 1, 32, dib32.data()));
    std::uint32_t wide[4];
    std::memcpy(wide, dib32.data(), 16);
    EXPECT_EQ(wide[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(wide[1] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(wide[2] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(wide[3] & 0xFFFFFF, 0x000400u);
}

TEST(FrameCopy, BackgroundGoesIntoTheBackBufferInItsFormat) {
    const std::uint32_t image[2] = {0xFF123456, 0xFFFFFFFF};
    struct Case {
        SurfaceFormat format;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {SurfaceFormat::Argb32, {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        // 0x12 → 2, 0x34 → 13, 0x56 → 10: 5-6-5 0x11AA, 5-5-5 0x08CA.
        {SurfaceFormat::Rgb565, {0xAA, 0x11, 0xFF, 0xFF}},
        {SurfaceFormat::Xrgb1555, {0xCA, 0x08, 0xFF, 0x7F}},
        {SurfaceFormat::Rgb24, {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> surface(c.bytes.size() + 4, 0xEE);
        argbToSurface(image, 2, 1, surface.data(), surface.size(), c.format);
        EXPECT_EQ(std::vector<std::uint8_t>(surface.begin(), surface.begin() + c.bytes.size()), c.bytes);
        EXPECT_EQ(surface.back(), 0xEE);  // nothing past the row
    }
}

}  // namespace
}  // namespace tevaro::album
