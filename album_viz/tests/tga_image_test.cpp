// The TGA reader on files built here byte by byte, and the box-filtered mip chain.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "album_viz/d3dx/tga_image.h"

namespace tevaro::album::d3dx {
namespace {

std::vector<std::uint8_t> tgaFile(int width, int height, std::uint8_t descriptor,
                                  const std::vector<std::uint32_t>& fileOrder, std::size_t padding = 0) {
    std::vector<std::uint8_t> f(tga::HeaderSize, 0);
    f[tga::ImageType] = 2;
    f[tga::Width] = std::uint8_t(width);
    f[tga::Width + 1] = std::uint8_t(width >> 8);
    f[tga::Height] = std::uint8_t(height);
    f[tga::Height + 1] = std::uint8_t(height >> 8);
    f[tga::PixelDepth] = 32;
    f[tga::Descriptor] = descriptor;
    for (std::uint32_t p : fileOrder)
        for (int b = 0; b < 4; ++b) f.push_back(std::uint8_t(p >> (8 * b)));
    f.resize(f.size() + padding, 0);
    return f;
}

TEST(TgaImage, BottomLeftOriginPutsTheFirstFileRowAtTheBottom) {
    // File rows: bottom (A, B), then top (C, D); little-endian B, G, R, A bytes make 0xAARRGGBB.
    const auto file = tgaFile(2, 2, 8, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}, 26);
    ArgbImage img;
    ASSERT_TRUE(decodeTga(file.data(), file.size(), img));
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(img.height, 2);
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFF000003, 0xFF000004, 0xFF000001, 0xFF000002}));
}

TEST(TgaImage, TopAndRightOriginBitsAreHonoured) {
    ArgbImage img;
    const auto top = tgaFile(2, 2, 8 | tga::DescriptorTopOrigin, {1, 2, 3, 4});
    ASSERT_TRUE(decodeTga(top.data(), top.size(), img));
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{1, 2, 3, 4}));
    const auto right = tgaFile(2, 1, 8 | tga::DescriptorTopOrigin | tga::DescriptorRightOrigin, {1, 2});
    ASSERT_TRUE(decodeTga(right.data(), right.size(), img));
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{2, 1}));
}

TEST(TgaImage, RefusesWhatItCannotReadWithoutOverrunning) {
    const auto good = tgaFile(4, 4, 8, std::vector<std::uint32_t>(16, 0x12345678));
    struct Case {
        const char* name;
        std::size_t offset;  // byte changed, or the file cut to this length when value < 0
        int value;
    };
    const Case cases[] = {
        {"cut inside the header", 17, -1},
        {"cut one byte short of the pixels", good.size() - 1, -1},
        {"run-length image type", tga::ImageType, 10},
        {"colour-mapped", tga::ColorMapType, 1},
        {"24-bit pixels", tga::PixelDepth, 24},
        {"zero width", tga::Width, 0},
        {"id field longer than the file", tga::IdLength, 255},
        {"width beyond the limit", tga::Width + 1, 0x40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> f = good;
        if (c.value < 0) {
            f.resize(c.offset);
        } else {
            f[c.offset] = std::uint8_t(c.value);
        }
        // A copy of exactly the bytes handed over, so the sanitizers see any read past them.
        std::vector<std::uint8_t> exact(f.begin(), f.end());
        ArgbImage img;
        EXPECT_FALSE(decodeTga(exact.data(), exact.size(), img));
    }
    ArgbImage img;
    EXPECT_FALSE(decodeTga(nullptr, 100, img));
}

TEST(TgaImage, MipChainHalvesWithARoundedBoxFilterDownToOneTexel) {
    ArgbImage level0{4,
                     2,
                     {0xFF000000, 0xFF0000FF, 0x00FF0000, 0x00FF0000,  //
                      0xFF000000, 0xFF0000FF, 0x00FF0000, 0x02FF0001}};
    const std::vector<ArgbImage> chain = buildMipChain(level0);
    ASSERT_EQ(chain.size(), 3u);  // 4 × 2, 2 × 1, 1 × 1
    EXPECT_EQ(chain[1].width, 2);
    EXPECT_EQ(chain[1].height, 1);
    // Left box: blue 0, 255, 0, 255 → 127.5 rounds to 128; right box: alpha 2/4 rounds to 1, blue 1/4 to 0.
    EXPECT_EQ(chain[1].pixels, (std::vector<std::uint32_t>{0xFF000080, 0x01FF0000}));
    EXPECT_EQ(chain[2].width, 1);
    EXPECT_EQ(chain[2].height, 1);
    // (0xFF + 0x01) / 2, (0 + 0xFF) / 2 → 0x80 each; blue (0x80 + 0) / 2.
    EXPECT_EQ(chain[2].pixels, (std::vector<std::uint32_t>{0x80800040}));
}

TEST(TgaImage, SquarePowerOfTwoGetsEveryLevel) {
    ArgbImage level0{512, 512, std::vector<std::uint32_t>(512 * 512, 0xFF336699)};
    const std::vector<ArgbImage> chain = buildMipChain(std::move(level0));
    ASSERT_EQ(chain.size(), 10u);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        EXPECT_EQ(chain[i].width, 512 >> i);
        EXPECT_EQ(chain[i].pixels.front(), 0xFF336699u);
    }
}

}  // namespace
}  // namespace tevaro::album::d3dx
