// The star field's rebuild steps on their own: the jittered grid and the stamped background, with
// positions and pixels worked out from the random source and a hand-built archive, so that they do
// not depend on the drawn archive that the golden checksums cover.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/glintora/glintora_scene.h"
#include "classic_viz/tests/archive_bytes.h"

namespace tevaro::viz {
namespace {

using testing::buildArchive;
using testing::RawEntry;

constexpr int StarWidth = 4, StarHeight = 2;  // the archive's small background stars
constexpr int ArchiveCount = 72;

// Small star k (64..71): colours that name the picture, the stored row and the column, and two
// black pixels, which the brush's key colour 0 leaves out.
Pixel smallStarPixel(int picture, int column, int storedRow) {
    if ((column == 3 && storedRow == 0) || (column == 1 && storedRow == 1)) return 0;
    return makePixel(0, 0x10 * (picture - 60), 0x40 * (storedRow + 1), 0x30 * (column + 1));
}

// Every entry the scene loads, 1 x 1 black, except the small stars 64..71. `drawnAs[k - 64]` is the
// picture whose pixels entry k holds, so two entries can be made to look alike.
std::vector<std::uint8_t> smallStarArchive(const std::array<int, 8>& drawnAs = {64, 65, 66, 67, 68, 69, 70, 71}) {
    std::vector<RawEntry> entries;
    for (int k = 1; k <= ArchiveCount; ++k) {
        if (k < 64 || k > 71) {
            entries.push_back({0x24, 1, 1, {0, 0, 0}});
            continue;
        }
        RawEntry e{0x24, StarWidth, StarHeight, {}};
        for (int row = 0; row < StarHeight; ++row)
            for (int column = 0; column < StarWidth; ++column) {
                const Pixel p = smallStarPixel(drawnAs[static_cast<std::size_t>(k - 64)], column, row);
                e.data.push_back(static_cast<std::uint8_t>(blueOf(p)));
                e.data.push_back(static_cast<std::uint8_t>(greenOf(p)));
                e.data.push_back(static_cast<std::uint8_t>(redOf(p)));
            }
        entries.push_back(e);
    }
    return buildArchive(entries);
}

// The star field on a hand-built archive, with its own random source.
struct SmallStarField {
    explicit SmallStarField(std::vector<std::uint8_t> archive = smallStarArchive()) : bytes(std::move(archive)) {}

    std::vector<std::uint8_t> bytes;
    RandomSource random;
    GlintoraScene script;
    EffectDescription description = glintoraDescription(bytes.data(), bytes.size());
    EffectCore effect{description, script, random};
    PresentedImage out;

    bool frame(int width, int height) {
        std::array<std::uint8_t, SpectrumBins> silence{};
        return effect.render(silence.data(), RenderRect{0, 0, width, height}, 32, out);
    }
    Layer& layer(int n) { return effect.scene.layers[static_cast<std::size_t>(n)]; }
    ImageView& ground() { return layer(0).picture; }

    // After the preset's first frame: a ground of one colour, the brush's last screen y and the
    // random source at its start, so that one stamping pass can be followed draw by draw.
    void restartStamping(Pixel groundColour, int brushY) {
        std::fill_n(ground().pixels, ground().pixelCount(), groundColour);
        layer(GlintoraScene::Brush).screenY = brushY;
        random = RandomSource{};
    }
};

TEST(GlintoraGrid, JitterMaskIsTheLargestTwoToTheKMinusOneInsideTheCell) {
    struct Case {
        int cellSize, mask;
    };
    for (const Case c : {Case{50, 31}, Case{53, 31}, Case{25, 15}, Case{18, 15}, Case{16, 15}, Case{15, 15}, Case{8, 7},
                         Case{7, 7}, Case{1, 1}, Case{0, 0}, Case{65535, 65535}, Case{70000, 65535}})
        EXPECT_EQ(GlintoraScene::jitterMask(c.cellSize), c.mask) << c.cellSize;
}

// Per star, from a fresh random source: a bit (set: minus) and an amount & jx for x, the same with
// jy for y, and in "Star Clouds"/"Star Glow" a bit for the mask layer (set: 7). Star 9 in "Starlight"
// on 112 x 48 (cells 16 x 8, masks 15 and 7): 41 & 1 = 1, 18467 & 15 = 3, x = 0 - 20 - 3 = -23;
// 6334 & 1 = 0, 26500 & 7 = 4, y = -20 + 4 = -16, lift 16.
TEST(GlintoraGrid, StarsSitInTheirCellsMovedByTheRandomJitter) {
    struct Star {
        int worldX, lift, maskLayer;
    };
    struct Case {
        int preset;
        std::array<Star, 43> stars;
    };
    const Case cases[] = {
        {GlintoraScene::Starlight,
         {{
             {-23, 16, 0},  {-16, 14, 0},  {12, 21, 0}, {17, 23, 0},  {38, 24, 0},  {48, 19, 0},  {90, 24, 0},
             {-13, 18, 0},  {-6, 12, 0},   {1, 18, 0},  {25, 7, 0},   {36, 19, 0},  {56, 16, 0},  {81, 15, 0},
             {-33, 6, 0},   {7, 2, 0},     {22, -2, 0}, {36, -1, 0},  {53, -2, 0},  {73, 8, 0},   {61, 2, 0},
             {-20, -4, 0},  {-8, -11, 0},  {23, -2, 0}, {30, 1, 0},   {33, -2, 0},  {70, -2, 0},  {74, -3, 0},
             {-20, -17, 0}, {-9, -12, 0},  {22, -8, 0}, {13, -6, 0},  {40, -18, 0}, {48, -18, 0}, {61, -11, 0},
             {-35, -13, 0}, {-17, -14, 0}, {0, -22, 0}, {34, -20, 0}, {59, -27, 0}, {67, -21, 0}, {79, -19, 0},
             {-6, -24, 0},
         }}},
        // Cells 25 x 18 whatever the canvas, masks 15 and 15.
        {GlintoraScene::StarClouds,
         {{
             {-23, 16, 7},  {11, 18, 6},  {29, 31, 7},  {52, 9, 6},   {68, 11, 6},  {118, 14, 7},  {116, 22, 7},
             {-17, 13, 6},  {2, -11, 7},  {35, 15, 6},  {43, -3, 7},  {77, 11, 6},  {116, 0, 6},   {130, 2, 6},
             {-7, -25, 6},  {19, -7, 6},  {15, -18, 6}, {61, -27, 6}, {87, -27, 7}, {111, -17, 7}, {119, -6, 6},
             {-11, -43, 6}, {-4, -34, 6}, {21, -25, 6}, {65, -22, 7}, {73, -49, 6}, {119, -22, 6}, {133, -27, 7},
             {-35, -37, 7}, {4, -65, 6},  {32, -58, 7}, {59, -42, 7}, {87, -61, 6}, {94, -50, 6},  {126, -64, 6},
             {-24, -66, 6}, {-9, -55, 6}, {34, -85, 7}, {68, -73, 7}, {74, -57, 6}, {105, -59, 6}, {123, -84, 7},
             {-20, -89, 7},
         }}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        SmallStarField f;
        f.effect.chooseCanvasSize(112, 48);
        f.script.layOutGrid(f.effect, c.preset);
        for (int n = GlintoraScene::FirstStar; n <= GlintoraScene::LastStar; ++n) {
            const Star& expected = c.stars[static_cast<std::size_t>(n - GlintoraScene::FirstStar)];
            const Layer& star = f.layer(n);
            EXPECT_EQ(star.worldX, expected.worldX) << "star " << n;
            EXPECT_EQ(star.lift, expected.lift) << "star " << n;
            EXPECT_EQ(star.maskLayer, expected.maskLayer) << "star " << n;
            EXPECT_EQ(star.state, StateDraw) << "star " << n;
        }
    }
}

// The ground as the stamps in `stamps` leave it: a stamp of height h at row y covers the ground's
// stored rows y .. y + h - 1, the picture's stored row 0 on the highest of them.
struct Stamp {
    int x, y, picture;
};
std::vector<Pixel> stampedGround(int width, int height, Pixel colour, const std::vector<Stamp>& stamps) {
    std::vector<Pixel> ground(static_cast<std::size_t>(width * height), colour);
    for (const Stamp& s : stamps)
        for (int row = 0; row < StarHeight; ++row)
            for (int column = 0; column < StarWidth; ++column) {
                const int x = s.x + column, y = s.y + StarHeight - 1 - row;
                const Pixel p = smallStarPixel(s.picture, column, row);
                if (p != 0 && x < width && y < height) ground[static_cast<std::size_t>(y * width + x)] = p;
            }
    return ground;
}

// "Starlight" on a 64 x 30 window stamps over the canvas size. Draws from state 1: 41 & 15 = 9 is
// the first x; per stamp the picture 64 + (& 7), then x += (& 31) + 3 and y = row + (& 31); when x
// reaches 64, x = (& 15) and row += (& 31) + 3, until the row reaches 30.
TEST(GlintoraBackground, StarlightStampsTheSmallStarsRowByRowFromTheRandomSteps) {
    SmallStarField f;
    f.effect.setCurrentPreset(GlintoraScene::Starlight);
    ASSERT_TRUE(f.frame(64, 30));
    ASSERT_EQ(f.ground().width, 64);
    ASSERT_EQ(f.ground().height, 30);
    constexpr Pixel Ground = 0x00102030;  // not black, so that the key pixels show as left out
    f.restartStamping(Ground, 5);
    f.script.stampBackground(f.effect, GlintoraScene::Starlight);

    const std::vector<Stamp> stamps = {
        {9, 5, 67},    // the brush's own y; picture 18467 & 7 = 3
        {42, 4, 65},   // x 9 + (6334 & 31 = 30) + 3, y 26500 & 31; picture 19169 & 7 = 1
        {57, 22, 70},  // x 42 + 12 + 3, y 11478 & 31; picture 29358 & 7 = 6
        {9, 16, 65},   // x 57 + 18 + 3 passed 64: x 5705 & 15, row 17 + 3; y still from row 0, 24464 & 31
        {39, 29, 67},  // x 9 + 27 + 3, y 20 + 9: the lower row is cut off
        {61, 26, 67},  // x 39 + 19 + 3, y 20 + 6: the last column is cut off; then row 20 + 33 passes 30
    };
    const std::vector<Pixel> expected = stampedGround(64, 30, Ground, stamps);
    const ImageView& ground = f.ground();
    for (int i = 0; i < ground.pixelCount(); ++i)
        ASSERT_EQ(ground.pixels[i], expected[static_cast<std::size_t>(i)])
            << "x " << i % ground.width << ", stored row " << i / ground.width;
}

// "Star Clouds" stamps over 352 x 320 into its 180 x 120 ground, with pictures 70 and 71 in place of
// 66 and 67: the same draws as "Starlight" on a 352 x 320 canvas whose archive draws 66 and 67 as
// 70 and 71, seen through the smaller ground.
TEST(GlintoraBackground, StarCloudsStampsTheWideAreaWithTheSmallGlowsInPlaceOfTheLargeOnes) {
    constexpr Pixel Ground = 0x00102030;
    SmallStarField clouds;
    clouds.effect.setCurrentPreset(GlintoraScene::StarClouds);
    ASSERT_TRUE(clouds.frame(350, 320));
    ASSERT_EQ(clouds.ground().width, 180);
    ASSERT_EQ(clouds.ground().height, 120);
    clouds.restartStamping(Ground, 5);
    clouds.script.stampBackground(clouds.effect, GlintoraScene::StarClouds);

    SmallStarField wide(smallStarArchive({64, 65, 70, 71, 68, 69, 70, 71}));
    wide.effect.setCurrentPreset(GlintoraScene::Starlight);
    ASSERT_TRUE(wide.frame(352, 320));
    ASSERT_EQ(wide.ground().width, 352);
    wide.restartStamping(Ground, 5);
    wide.script.stampBackground(wide.effect, GlintoraScene::Starlight);

    int glows = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 180; ++x) {
            const Pixel p = clouds.ground().pixels[y * 180 + x];
            ASSERT_EQ(p, wide.ground().pixels[y * 352 + x]) << "x " << x << ", stored row " << y;
            glows += redOf(p) == 0x10 * (70 - 60) || redOf(p) == 0x10 * (71 - 60) ? 1 : 0;
        }
    EXPECT_GT(glows, 0);
}

}  // namespace
}  // namespace tevaro::viz
