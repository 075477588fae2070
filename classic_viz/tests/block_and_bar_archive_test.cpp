#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "classic_viz/framework/image_archive.h"
#include "classic_viz/tessaray/tessaray_archive.h"
#include "classic_viz/throbwave/pulse_archive.h"

namespace tevaro::viz {
namespace {

std::uint32_t word(const unsigned char* bytes, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, bytes + at, 4);
    return v;
}

// What the shipped bytes say about an entry before decoding: its stored format and encoded length.
struct RawEntry {
    std::uint32_t format;
    std::size_t length;
};
std::vector<RawEntry> rawEntries(const unsigned char* bytes, std::size_t size) {
    const std::uint32_t count = word(bytes, 4);
    std::vector<RawEntry> entries;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::size_t at = word(bytes, 8 + 4 * k);
        const std::size_t end = k + 1 < count ? word(bytes, 8 + 4 * (k + 1)) : size;
        entries.push_back({word(bytes, at), end - at});
    }
    return entries;
}

struct Size {
    int width, height;
};

void expectSizes(ImageArchive& archive, const std::vector<Size>& sizes) {
    ASSERT_EQ(archive.count(), static_cast<int>(sizes.size()));
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        const ImageView v = archive.image(static_cast<int>(k + 1));
        ASSERT_TRUE(v) << "entry " << k + 1;
        EXPECT_EQ(v.width, sizes[k].width) << "entry " << k + 1;
        EXPECT_EQ(v.height, sizes[k].height) << "entry " << k + 1;
    }
}

// Which primaries are lit in a pixel (above 60 % for "on", below 40 % for "off").
enum Hue { Red, Yellow, Green, Cyan, Blue, Magenta, White };
bool looksLike(Pixel p, Hue hue) {
    const int r = redOf(p), g = greenOf(p), b = blueOf(p);
    auto on = [](int c) { return c > 153; };
    auto off = [](int c) { return c < 102; };
    switch (hue) {
        case Red:
            return on(r) && off(g) && off(b);
        case Yellow:
            return on(r) && on(g) && off(b);
        case Green:
            return off(r) && on(g) && off(b);
        case Cyan:
            return off(r) && on(g) && on(b);
        case Blue:
            return off(r) && off(g) && on(b);
        case Magenta:
            return on(r) && off(g) && on(b);
        case White:
            return r > 230 && g > 230 && b > 230;
    }
    return false;
}

struct StripCheck {
    int entry, row;
    Hue hue;
};

void expectStrip(ImageArchive& archive, const std::vector<StripCheck>& checks) {
    for (const StripCheck& c : checks) {
        const ImageView v = archive.image(c.entry);
        ASSERT_TRUE(v);
        const Pixel p = v.pixels[c.row * v.width];
        EXPECT_TRUE(looksLike(p, c.hue)) << "entry " << c.entry << " row " << c.row << std::hex << " 0x" << p;
    }
}

TEST(BlockArchive, HoldsTheSeventyEightEntriesOfTheirSizes) {
    ImageArchive archive;
    ASSERT_TRUE(archive.decode(tessarayArchive, tessarayArchiveSize));
    const Size shapes[10] = {{16, 86}, {40, 80}, {42, 37}, {60, 80}, {72, 48},
                             {80, 11}, {80, 32}, {80, 80}, {28, 51}, {56, 28}};
    std::vector<Size> sizes;
    for (int set = 0; set < 5; ++set) sizes.insert(sizes.end(), shapes, shapes + 10);
    for (int k = 51; k <= 70; ++k) sizes.push_back({80, 80});
    const std::vector<Size> rest = {{28, 51}, {56, 28}, {1, 255},   {1, 1024},
                                    {1, 255}, {1, 320}, {352, 320}, {200, 200}};
    sizes.insert(sizes.end(), rest.begin(), rest.end());
    expectSizes(archive, sizes);

    expectStrip(archive, {
                             // 73: the hue cycle backwards.
                             {73, 0, Red},
                             {73, 40, Magenta},
                             {73, 80, Blue},
                             {73, 140, Cyan},
                             {73, 175, Green},
                             {73, 220, Yellow},
                             {73, 254, Red},
                             // 75: the pastel cycle, red, cyan about row 60, white about 160.
                             {75, 0, Red},
                             {75, 60, Cyan},
                             {75, 160, White},
                             // 76: the hue cycle forwards.
                             {76, 0, Red},
                             {76, 53, Yellow},
                             {76, 106, Green},
                             {76, 160, Cyan},
                             {76, 213, Blue},
                             {76, 266, Magenta},
                             {76, 319, Red},
                         });
    EXPECT_EQ(archive.image(78).pixels[0], 0xFFFFFFu);
    EXPECT_EQ(archive.image(77).pixels[352 * 320 - 1], 0u);
}

TEST(BlockArchive, BandedStripHoldsManyUnrelatedColours) {
    ImageArchive archive;
    ASSERT_TRUE(archive.decode(tessarayArchive, tessarayArchiveSize));
    const ImageView strip = archive.image(74);
    std::set<Pixel> colours(strip.pixels, strip.pixels + strip.pixelCount());
    EXPECT_GE(colours.size(), 15u);
    // Bands, not a gradient: most rows repeat the row below.
    int repeats = 0;
    for (int row = 1; row < strip.height; ++row) repeats += strip.pixels[row] == strip.pixels[row - 1];
    EXPECT_GT(repeats, 900);
}

TEST(BarArchive, HoldsSixEntriesWithTheBlackSurfaceAsOneRun) {
    ImageArchive archive;
    ASSERT_TRUE(archive.decode(pulseArchive, pulseArchiveSize));
    expectSizes(archive, {{352, 320}, {3, 1024}, {1, 256}, {1, 320}, {3, 320}, {352, 320}});
    const std::vector<RawEntry> raw = rawEntries(pulseArchive, pulseArchiveSize);
    // Header (12 bytes), then one 24-bit run: two markers, the pixel, the count.
    EXPECT_EQ(raw[0].format, 0xC24u);
    EXPECT_EQ(raw[0].length, 12u + 12u);
    const ImageView surface = archive.image(1);
    for (int i = 0; i < surface.pixelCount(); ++i) ASSERT_EQ(surface.pixels[i], 0u) << i;

    expectStrip(archive, {
                             {2, 0, Yellow},
                             {2, 200, White},
                             {2, 384, Blue},
                             {2, 576, Red},
                             {2, 880, Cyan},
                             {2, 1023, Yellow},
                             {5, 0, Red},
                             {5, 53, Yellow},
                             {5, 106, Green},
                             {5, 160, Cyan},
                             {5, 213, Blue},
                             {5, 266, Magenta},
                             {5, 319, Red},
                             {3, 100, Blue},
                             {4, 300, Blue},
                         });
    // The strips' columns are (nearly) equal.
    for (int entry : {2, 5}) {
        const ImageView v = archive.image(entry);
        for (int row = 0; row < v.height; ++row)
            for (int x = 1; x < 3; ++x) {
                const Pixel a = v.pixels[row * 3], b = v.pixels[row * 3 + x];
                EXPECT_LE(
                    std::abs(redOf(a) - redOf(b)) + std::abs(greenOf(a) - greenOf(b)) + std::abs(blueOf(a) - blueOf(b)),
                    6)
                    << "entry " << entry << " row " << row;
            }
    }
}

TEST(ShippedArchives, UseEveryEncodingTheDecoderReads) {
    struct Case {
        const unsigned char* bytes;
        std::size_t size;
    };
    const Case archives[] = {{tessarayArchive, tessarayArchiveSize}, {pulseArchive, pulseArchiveSize}};
    for (const Case& c : archives) {
        std::set<std::uint32_t> formats;
        for (const RawEntry& e : rawEntries(c.bytes, c.size)) formats.insert(e.format);
        EXPECT_EQ(formats, (std::set<std::uint32_t>{0x16, 0x24, 0xC24}));
    }
}

}  // namespace
}  // namespace tevaro::viz
