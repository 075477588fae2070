#include <gtest/gtest.h>

#include <algorithm>

#include "classic_viz/framework/image_archive.h"
#include "classic_viz/tests/archive_bytes.h"

namespace tevaro::viz {
namespace {

using testing::buildArchive;
using testing::put;
using testing::RawEntry;
using testing::run24;

bool allPixels(const ImageView& v, Pixel expected) {
    return std::all_of(v.pixels, v.pixels + v.pixelCount(), [expected](Pixel p) { return p == expected; });
}

TEST(ImageArchive, A24BitRunCoveringThePictureDecodesToOneColour) {
    // The painting surface of the bar visualizations: 352 x 320 black in a single run of 112641,
    // one pixel longer than the picture; the run is cut at the picture's end.
    ImageArchive archive;
    const auto bytes = buildArchive({{0xC24, 352, 320, run24(0x000000, 112641)},
                                     {0xC24, 4, 3, run24(0x123456, 13)},
                                     {0xC24, 2, 1, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}}});
    ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
    ASSERT_EQ(archive.count(), 3);
    const ImageView surface = archive.image(1);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface.width, 352);
    EXPECT_EQ(surface.height, 320);
    EXPECT_TRUE(allPixels(surface, 0x000000));
    const ImageView small = archive.image(2);
    ASSERT_TRUE(small);
    EXPECT_TRUE(allPixels(small, 0x123456));
    const ImageView literal = archive.image(3);
    ASSERT_TRUE(literal);
    EXPECT_EQ(literal.pixels[0], 0x030201u);  // blue, green, red in the stream
    EXPECT_EQ(literal.pixels[1], 0x060504u);
    EXPECT_EQ(*surface.stamp & 0xFF, 0);
}

TEST(ImageArchive, ImageNumbersOutsideOneToCountGiveNoPicture) {
    ImageArchive archive;
    const auto bytes = buildArchive({{0x24, 1, 1, {1, 2, 3}}, {0x24, 1, 1, {4, 5, 6}}});
    ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
    EXPECT_FALSE(archive.image(0));
    EXPECT_TRUE(archive.image(2));
    EXPECT_FALSE(archive.image(3));
    EXPECT_FALSE(archive.image(-1));
}

TEST(ImageArchive, SixteenBitRunLengthExpandsFiveFiveFive) {
    std::vector<std::uint8_t> data;
    put(data, 0x7FFF, 2);  // white
    put(data, 0x001F, 2);  // blue
    put(data, 0xFFFF, 2);  // run marker
    put(data, 0x7C00, 2);  // red
    put(data, 5, 4);       // two more than the picture has left
    ImageArchive archive;
    for (std::uint32_t format : {0x16u, 0xC16u}) {
        const auto bytes = buildArchive({{format, 5, 1, data}});
        ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
        const ImageView v = archive.image(1);
        ASSERT_TRUE(v);
        EXPECT_EQ(v.pixels[0], 0xF8F8F8u);
        EXPECT_EQ(v.pixels[1], 0x0000F8u);
        EXPECT_EQ(v.pixels[2], 0xF80000u);
        EXPECT_EQ(v.pixels[4], 0xF80000u);
    }
}

TEST(ImageArchive, WhiteOnItsOwnIsAPixelNotAMarker) {
    std::vector<std::uint8_t> data;
    put(data, 0xFFFFFF, 3);
    put(data, 0x000001, 3);
    ImageArchive archive;
    const auto bytes = buildArchive({{0xC24, 2, 1, data}});
    ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
    const ImageView v = archive.image(1);
    ASSERT_TRUE(v);
    EXPECT_EQ(v.pixels[0], 0xFFFFFFu);
    EXPECT_EQ(v.pixels[1], 0x000001u);
}

TEST(ImageArchive, MalformedEntriesAreMissingAndTheRestDecodes) {
    struct Case {
        const char* name;
        RawEntry bad;
    };
    const Case cases[] = {
        {"raw data shorter than the picture", {0x24, 4, 4, {1, 2, 3}}},
        {"run-length data ends early", {0xC24, 4, 4, run24(0x10, 3)}},
        {"16-bit run cut inside its count", {0x16, 4, 4, {0xFF, 0xFF, 0x00, 0x00, 0x03}}},
        {"size product overflows 32 bits", {0xC24, 0x10000, 0x10001, run24(0, 0xFFFFFF)}},
        {"zero width", {0xC24, 0, 4, run24(0, 4)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageArchive archive;
        // The bad entry comes last: entry data may run on into the next entry's bytes, only the
        // archive's end is a hard limit.
        const auto bytes = buildArchive({{0x24, 1, 1, {9, 8, 7}}, c.bad});
        ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
        EXPECT_FALSE(archive.image(2));
        const ImageView good = archive.image(1);
        ASSERT_TRUE(good);
        EXPECT_EQ(good.pixels[0], 0x070809u);
    }
}

TEST(ImageArchive, HeadersThatDoNotFitTheBytesAreRefused) {
    ImageArchive archive;
    std::vector<std::uint8_t> tooMany;
    put(tooMany, 100, 4);
    put(tooMany, 1000, 4);  // 1000 offsets in 16 bytes
    put(tooMany, 0, 4);
    put(tooMany, 0, 4);
    EXPECT_FALSE(archive.decode(tooMany.data(), tooMany.size()));
    EXPECT_FALSE(archive.image(1));
    EXPECT_FALSE(archive.decode(tooMany.data(), 7));

    auto outside = buildArchive({{0x24, 1, 1, {1, 2, 3}}, {0x24, 1, 1, {4, 5, 6}}});
    outside[8] = 0xF0;  // entry 1 offset far past the end
    outside[9] = 0xFF;
    ASSERT_TRUE(archive.decode(outside.data(), outside.size()));
    EXPECT_FALSE(archive.image(1));
    EXPECT_TRUE(archive.image(2));
}

TEST(ImageArchive, EntriesBeyondTheDeclaredDecodedSizeAreMissing) {
    // Room for the first 2 x 2 entry only (16 + 16 bytes), not the second.
    ImageArchive archive;
    const auto bytes = buildArchive({{0xC24, 2, 2, run24(1, 4)}, {0xC24, 2, 2, run24(2, 4)}}, 32);
    ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
    EXPECT_TRUE(archive.image(1));
    EXPECT_FALSE(archive.image(2));
}

}  // namespace
}  // namespace tevaro::viz
