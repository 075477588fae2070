#include <gtest/gtest.h>

#include "classic_viz/tests/effect_fixture.h"

namespace tevaro::viz {
namespace {

using testing::TessarayFixture;

// A preset built and run for a few frames, then the script driven directly with a chosen
// spectrum, so each rule can be checked against the entries that feed it.
struct RunningPreset : TessarayFixture {
    explicit RunningPreset(int preset) : TessarayFixture(preset) {
        loudness(60);
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(frame());
    }
    void runWith(int averageLevel) {
        effect.spectrum.averageLevel = averageLevel;
        script.run(effect);
    }
    SpectrumBuffer& entries() { return effect.spectrum.buffers[0]; }
    Pixel blockColour(int n) { return layer(n).picture.pixels[0] & ColourBits; }
    Pixel stripRow(int row) {
        const ImageView strip = scene().currentImage(TessarayScene::Strip);
        return strip.pixels[row * strip.width] & ColourBits;
    }
};

TEST(Tessaray, BlocksVanishBelowAverageLevelFiveInEveryPreset) {
    struct Case {
        int preset, average;
        bool composited;
    };
    const Case cases[] = {{0, 4, false}, {0, 5, true}, {1, 4, false}, {1, 5, true}, {2, 4, false}, {2, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "preset " << c.preset << " average " << c.average);
        RunningPreset f(c.preset);
        f.runWith(c.average);
        for (int n = TessarayScene::FirstBlock; n <= TessarayScene::lastBlock(c.preset); ++n)
            EXPECT_EQ(f.layer(n).isComposited(), c.composited) << "layer " << n;
    }
}

TEST(Tessaray, SilentMusicLeavesOnlyTheClearColour) {
    for (int preset = 0; preset < 3; ++preset) {
        TessarayFixture f(preset);
        for (int k = 0; k < 12; ++k) ASSERT_TRUE(f.frame());
        for (int y = 0; y < 320; y += 7)
            for (int x = 0; x < 352; x += 5) ASSERT_EQ(f.canvasAt(x, y), 0u) << preset << " at " << x << "," << y;
    }
}

TEST(Tessaray, RingFollowsEntries52To71AndTheCentreTileTheAverageLevel) {
    RunningPreset f(TessarayScene::LightBeds);
    for (int n = 2; n <= 21; ++n) f.entries()[static_cast<std::size_t>(50 + n)] = 10 * n;
    f.runWith(137);
    for (int n = 2; n <= 21; ++n) EXPECT_EQ(f.blockColour(n), f.stripRow(10 * n)) << "layer " << n;
    EXPECT_EQ(f.blockColour(TessarayScene::CentreTile), f.stripRow(137));
    // The soft edge the edge pass wrote survives the recolouring.
    const ImageView tile = f.layer(2).picture;
    EXPECT_NE(transparencyOf(tile.pixels[0]), 0);
    EXPECT_EQ(transparencyOf(tile.pixels[40 * tile.width + 40]), 0);
}

TEST(Tessaray, SquareRhythmScalesTheStripColourByTwoVPlus90Over255) {
    struct Case {
        int v;
        Pixel strip, colour;
    };
    const Case cases[] = {
        {83, 0xFF8040, 0xFF8040},   // 256/255 is capped at 1
        {255, 0x123456, 0x123456},  // loud entries keep the full colour
        {0, 0xFFFFFF, 0x5A5A5A},    // 90/255 of 255 is 90
        {0, 0xFF8000, 0x5A2D00},    // 128 x 90/255 = 45.2
        {10, 0xFF0000, 0x6E0000},   // 110/255 of 255
        {82, 0xFF0000, 0xFE0000},   // 254/255
    };
    for (const Case& c : cases) EXPECT_EQ(TessarayScene::scaledColour(c.strip, c.v), c.colour) << c.v;
}

TEST(Tessaray, SquareRhythmBlocksFollowEveryThirdEntryFromTheOffset) {
    struct Case {
        int layer, offset, entry;
    };
    const Case cases[] = {{2, 0, 15}, {51, 0, 162}, {2, 63, 54}, {48, 9, 180}, {48, 10, 33}};
    for (const Case& c : cases) EXPECT_EQ(TessarayScene::blockEntryIndex(c.layer, c.offset), c.entry) << c.layer;

    RunningPreset f(TessarayScene::SquareRhythm);
    f.entries().fill(0);
    const int loudLayer = 30;
    f.entries()[static_cast<std::size_t>(TessarayScene::blockEntryIndex(loudLayer, f.script.spectrumOffset))] = 200;
    f.runWith(50);
    const Pixel first = f.stripRow(0);
    EXPECT_EQ(f.blockColour(loudLayer), first);
    EXPECT_EQ(f.blockColour(loudLayer + 1), TessarayScene::scaledColour(first, 0));
}

TEST(Tessaray, DelightColoursQuietEntriesDarkBlueAndLoudOnesFromTheStrip) {
    RunningPreset f(TessarayScene::Delight);
    f.entries().fill(0);
    const int offset = f.script.spectrumOffset;
    struct Case {
        int layer, v;
    };
    const Case cases[] = {{10, 3}, {11, 0}, {12, 4}, {13, 5}, {14, 200}};
    for (const Case& c : cases)
        f.entries()[static_cast<std::size_t>(TessarayScene::blockEntryIndex(c.layer, offset))] = c.v;
    f.runWith(50);
    EXPECT_EQ(f.blockColour(10), 0x060C39u + 30u);
    EXPECT_EQ(f.blockColour(11), 0x060C39u);
    EXPECT_EQ(f.blockColour(12), 0x060C39u + 40u);
    EXPECT_EQ(f.blockColour(13), f.stripRow(5));
    EXPECT_EQ(f.blockColour(14), f.stripRow(200));
}

TEST(Tessaray, DelightClearsToTheBackdropWhileTheMusicPlays) {
    RunningPreset f(TessarayScene::Delight);
    f.runWith(5);
    const ImageView backdrop = f.scene().currentImage(TessarayScene::Backdrop);
    ASSERT_TRUE(backdrop);
    EXPECT_EQ(f.scene().clearColour, backdrop.pixels[0] & ColourBits);
    EXPECT_NE(f.scene().clearColour, 0u);
    f.runWith(4);
    EXPECT_EQ(f.scene().clearColour, 0u);
}

TEST(Tessaray, PresetsUseTheirLayerCountsAndPictures) {
    struct Case {
        int preset, layerCount, layer, image, width, height;
    };
    const Case cases[] = {
        {0, 23, 2, 51, 80, 80},  {0, 23, 21, 70, 80, 80}, {0, 23, 22, 78, 200, 200}, {0, 23, 1, 76, 1, 320},
        {1, 52, 2, 1, 16, 86},   {1, 52, 50, 51, 80, 80}, {1, 52, 51, 1, 16, 86},    {1, 52, 1, 73, 1, 255},
        {2, 52, 19, 71, 28, 51}, {2, 52, 20, 19, 28, 51}, {2, 52, 1, 74, 1, 1024},   {2, 52, 0, 75, 1, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "preset " << c.preset << " layer " << c.layer);
        RunningPreset f(c.preset);
        EXPECT_EQ(f.scene().layerCount, c.layerCount);
        EXPECT_EQ(f.layer(c.layer).imageNumber, c.image);
        EXPECT_EQ(f.layer(c.layer).imageWidth, c.width);
        EXPECT_EQ(f.layer(c.layer).imageHeight, c.height);
    }
    // Layer 0 is freed where no backdrop is used.
    RunningPreset f(TessarayScene::LightBeds);
    EXPECT_EQ(f.layer(0).layerClass, ClassFree);
}

}  // namespace
}  // namespace tevaro::viz
