// Element textures built as TGA files in memory and read back by our loader: where the pictures land.
#include <gtest/gtest.h>

#include <vector>

#include "album_viz/d3dx/tga_image.h"
#include "album_viz/scene/element_tga.h"

namespace tevaro::album {
namespace {

// The 18-byte header of the module's template file: 4 × 4, 32 bits, 8 alpha bits, bottom-left origin.
const std::uint8_t templateHeader[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 32, 8};

// A picture whose every pixel names its own row and column.
std::vector<std::uint32_t> labelled(int w, int h) {
    std::vector<std::uint32_t> p(std::size_t(w) * h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) p[std::size_t(r) * w + c] = 0xFF000000u | (r << 12) | c;
    return p;
}

TEST(ElementTga, FileHasTheSizeAndHeaderTheLoaderExpects) {
    const auto img = labelled(300, 200);
    const auto file = buildElementTga(templateHeader, 18, 512, img.data(), 300, 200, false);
    ASSERT_EQ(file.size(), 4u * 512 * 512 + 44);
    EXPECT_EQ(file[12] | (file[13] << 8), 512);
    EXPECT_EQ(file[14] | (file[15] << 8), 512);
    EXPECT_EQ(file[17], 8);  // bottom-left origin kept
}

TEST(ElementTga, PicturesStandUprightCentredOnTheirOffsets) {
    struct Case {
        const char* name;
        int t, w, h;
        bool background;
        int m, o;  // row offset (even) and column offset
    };
    const Case cases[] = {
        {"element 300 x 201", 512, 300, 201, false, 154, 106},
        {"element odd column offset", 256, 101, 100, false, 78, 77},
        {"background 350 x 320", 512, 350, 320, true, 96, 80},
        {"background odd column offset rounded down", 256, 101, 100, true, 78, 76},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto img = labelled(c.w, c.h);
        const auto file = buildElementTga(templateHeader, 18, c.t, img.data(), c.w, c.h, c.background);
        d3dx::ArgbImage tex;
        ASSERT_TRUE(d3dx::decodeTga(file.data(), file.size(), tex));
        // The texture's rows are top first. Element images are stored bottom row first, so on the
        // texture their row 0 is the lowest; the background is stored top first, row 0 highest.
        const int lowestImageRow = c.background ? c.h - 1 : 0;
        const int highestImageRow = c.background ? 0 : c.h - 1;
        // File row m + 1 (element) or m + 1 for the background's last row: texture row t − 2 − m.
        const int bottomTexRow = c.t - 2 - c.m;
        const int topTexRow = bottomTexRow - (c.h - 1);
        EXPECT_EQ(tex.pixels[std::size_t(bottomTexRow) * c.t + c.o], 0xFF000000u | (lowestImageRow << 12));
        EXPECT_EQ(tex.pixels[std::size_t(topTexRow) * c.t + c.o + c.w - 1],
                  0xFF000000u | (highestImageRow << 12) | (c.w - 1));
        // Transparent black around it.
        EXPECT_EQ(tex.pixels[std::size_t(bottomTexRow + 1) * c.t + c.o], 0u);
        EXPECT_EQ(tex.pixels[std::size_t(topTexRow - 1) * c.t + c.o], 0u);
        EXPECT_EQ(tex.pixels[std::size_t(topTexRow) * c.t + c.o - 1], 0u);
        EXPECT_EQ(tex.pixels[std::size_t(topTexRow) * c.t + c.o + c.w], 0u);
    }
}

TEST(ElementTga, RefusesPicturesThatDoNotFit) {
    const auto img = labelled(512, 512);
    EXPECT_TRUE(buildElementTga(templateHeader, 18, 512, img.data(), 512, 511, false).size() > 0);
    EXPECT_TRUE(buildElementTga(templateHeader, 18, 512, img.data(), 512, 512, false).empty());
    EXPECT_TRUE(buildElementTga(templateHeader, 18, 512, img.data(), 513, 10, false).empty());
    EXPECT_TRUE(buildElementTga(templateHeader, 17, 512, img.data(), 10, 10, false).empty());
    EXPECT_TRUE(buildElementTga(templateHeader, 18, 512, nullptr, 10, 10, false).empty());
}

}  // namespace
}  // namespace tevaro::album
