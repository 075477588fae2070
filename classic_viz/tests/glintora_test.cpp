#include <gtest/gtest.h>

#include "classic_viz/tests/glintora_fixture.h"

namespace tevaro::viz {
namespace {

using testing::GlintoraFixture;

bool sameColours(const ImageView& a, const ImageView& b) {
    if (a.pixelCount() != b.pixelCount()) return false;
    for (int i = 0; i < a.pixelCount(); ++i)
        if ((a.pixels[i] & ColourBits) != (b.pixels[i] & ColourBits)) return false;
    return true;
}

TEST(GlintoraArchive, HasTheEntriesTheScenesUse) {
    GlintoraFixture f;
    ASSERT_TRUE(f.frame());
    EXPECT_EQ(f.scene().archive(GlintoraScene::ArchiveSlot).count(), 72);
    struct Size {
        int first, last, width, height;
    };
    for (const Size s :
         {Size{1, 3, 64, 64}, Size{4, 9, 1, 1}, Size{10, 63, 64, 64}, Size{64, 71, 16, 16}, Size{72, 72, 1, 320}}) {
        for (int n = s.first; n <= s.last; ++n) {
            const ImageView v = f.archiveImage(n);
            ASSERT_TRUE(v) << n;
            EXPECT_EQ(v.width, s.width) << n;
            EXPECT_EQ(v.height, s.height) << n;
        }
    }
    // The strip: red at stored row 0 and again at 319, blue-dominated around row 220.
    const ImageView strip = f.archiveImage(72);
    EXPECT_EQ(strip.pixels[0] & ColourBits, 0xFF0000u);
    EXPECT_EQ(strip.pixels[319] & ColourBits, 0xFF0000u);
    EXPECT_GT(blueOf(strip.pixels[215]), redOf(strip.pixels[215]) + 100);
    // Sparkles shrink: fewer lit pixels from 54 to 62.
    auto lit = [&](int n) {
        const ImageView v = f.archiveImage(n);
        int count = 0;
        for (int i = 0; i < v.pixelCount(); ++i) count += (v.pixels[i] & ColourBits) > 0x202020 ? 1 : 0;
        return count;
    };
    for (int n = 54; n < 62; ++n) EXPECT_GT(lit(n), lit(n + 1)) << n;
}

TEST(GlintoraScene, StarPictureFollowsLoudness) {
    struct Case {
        int value, picture;
    };
    for (const Case c : {Case{0, 63}, Case{4, 63}, Case{5, 62}, Case{28, 62}, Case{29, 61}, Case{231, 55},
                         Case{232, 54}, Case{255, 54}})
        EXPECT_EQ(GlintoraScene::starPicture(c.value), c.picture) << c.value;
}

TEST(GlintoraScene, StarEntryIndexStaysIn5To42) {
    EXPECT_EQ(GlintoraScene::starEntryIndex(51, 31), 41);
    EXPECT_EQ(GlintoraScene::starEntryIndex(9, 0), 5);
    EXPECT_EQ(GlintoraScene::starEntryIndex(46, 0), 42);
    EXPECT_EQ(GlintoraScene::starEntryIndex(47, 0), 6);
    for (int offset = 0; offset <= 31; ++offset)
        for (int layer = GlintoraScene::FirstStar; layer <= GlintoraScene::LastStar; ++layer) {
            const int k = GlintoraScene::starEntryIndex(layer, offset);
            EXPECT_GE(k, 5);
            EXPECT_LE(k, 42);
        }
}

TEST(GlintoraScene, SilenceShowsTheFaintDotOnEveryStarInStarlight) {
    GlintoraFixture f;
    f.effect.setCurrentPreset(GlintoraScene::Starlight);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(f.frame());
    const ImageView dot = f.archiveImage(63);
    for (int n = GlintoraScene::FirstStar; n <= GlintoraScene::LastStar; ++n) {
        const Layer& star = f.scene().layers[static_cast<std::size_t>(n)];
        EXPECT_TRUE(sameColours(star.picture, dot)) << "star " << n;
        EXPECT_EQ(star.maskLayer, GlintoraScene::SmallMask) << "star " << n;
    }
}

TEST(GlintoraScene, SilenceMakesEveryStarFullyTransparentInCloudsAndGlow) {
    for (int preset : {GlintoraScene::StarClouds, GlintoraScene::StarGlow}) {
        SCOPED_TRACE(preset);
        GlintoraFixture f;
        f.effect.setCurrentPreset(preset);
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(f.frame());
        for (int n = GlintoraScene::FirstStar; n <= GlintoraScene::LastStar; ++n) {
            const Layer& star = f.scene().layers[static_cast<std::size_t>(n)];
            for (int i = 0; i < star.picture.pixelCount(); ++i) {
                if (star.picture.pixels[i] != star.key()) {
                    ASSERT_EQ(transparencyOf(star.picture.pixels[i]), 255) << "star " << n << " pixel " << i;
                }
            }
        }
        EXPECT_EQ(f.scene().canvasWidth(), 180);
        EXPECT_EQ(f.scene().canvasHeight(), 120);
    }
}

TEST(GlintoraScene, EachStarFollowsEntryFourKInStarlight) {
    GlintoraFixture f;
    f.effect.setCurrentPreset(GlintoraScene::Starlight);
    ASSERT_TRUE(f.frame());
    const int star = 30;
    const int k = GlintoraScene::starEntryIndex(star, f.script.spectrumOffset);
    // Entry e is reduced bin e + 1, the loudest of raw bins 4(e + 1) .. 4(e + 1) + 3.
    const int rawBin = 4 * (4 * k + 1);
    f.bins[static_cast<std::size_t>(rawBin)] = 255;
    ASSERT_TRUE(f.frame());
    // Gain 65 saturates to 255; blend 20% with a silent previous frame gives 204: picture 62 - 7.
    EXPECT_EQ(f.effect.spectrum.buffers[0][static_cast<std::size_t>(4 * k)], 204);
    const ImageView expected = f.archiveImage(55);
    EXPECT_TRUE(sameColours(f.scene().layers[star].picture, expected));
    EXPECT_EQ(f.scene().layers[star].maskLayer, GlintoraScene::LargeMask);
    EXPECT_TRUE(sameColours(f.scene().layers[star + 1].picture, f.archiveImage(63)));
}

TEST(GlintoraScene, ASteadyFullSpectrumSettlesOnTheLoudestPicture) {
    GlintoraFixture f;
    f.effect.setCurrentPreset(GlintoraScene::Starlight);
    f.bins.fill(255);
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(f.frame());
    for (int n = GlintoraScene::FirstStar; n <= GlintoraScene::LastStar; ++n)
        EXPECT_TRUE(sameColours(f.scene().layers[static_cast<std::size_t>(n)].picture, f.archiveImage(54))) << n;
}

TEST(GlintoraScene, TheGridIsLaidOutAgainOnceWhenTheMusicFallsSilent) {
    GlintoraFixture f;
    f.effect.setCurrentPreset(GlintoraScene::StarClouds);
    auto positions = [&f]() {
        std::vector<int> p;
        for (int n = GlintoraScene::FirstStar; n <= GlintoraScene::LastStar; ++n)
            p.push_back(f.scene().layers[static_cast<std::size_t>(n)].worldX * 1000 +
                        f.scene().layers[static_cast<std::size_t>(n)].lift);
        return p;
    };
    f.bins.fill(200);
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(f.frame());
    ASSERT_GT(f.effect.spectrum.averageLevel, 10);
    EXPECT_EQ(f.script.quietFlag, 2);
    const std::vector<int> loud = positions();

    f.bins.fill(0);
    int changes = 0;
    std::vector<int> last = loud;
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(f.frame());
        if (positions() != last) ++changes;
        last = positions();
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.script.quietFlag, 1);
}

TEST(GlintoraEffect, StarlightFollowsTheWindowSizeAndTheOthersKeepTheirGround) {
    GlintoraFixture f;
    f.effect.setCurrentPreset(GlintoraScene::Starlight);
    ASSERT_TRUE(f.frame(500, 400));
    EXPECT_EQ(f.scene().canvasWidth(), 500);
    EXPECT_EQ(f.scene().layers[0].imageWidth, 500);
    ASSERT_TRUE(f.frame(352, 320));
    EXPECT_EQ(f.scene().canvasWidth(), 352);
    EXPECT_EQ(f.scene().layers[0].imageHeight, 320);
    EXPECT_EQ(f.out.width, 352);
}

TEST(GlintoraEffect, AnInvalidPresetRestartsTheSceneAndKeepsTheCurrentPreset) {
    GlintoraFixture f;
    ASSERT_TRUE(f.effect.setCurrentPreset(2));
    ASSERT_TRUE(f.frame());
    EXPECT_FALSE(f.effect.setCurrentPreset(3));
    EXPECT_EQ(f.effect.currentPreset(), 2);
    EXPECT_FALSE(f.effect.initialised);
    ASSERT_TRUE(f.frame());
    EXPECT_TRUE(f.effect.initialised);
}

TEST(GlintoraEffect, BeforeAnyPresetOnlyTheDefaultLayoutShows) {
    GlintoraFixture f;
    ASSERT_TRUE(f.frame());
    EXPECT_EQ(f.scene().activePreset, 0);
    EXPECT_EQ(f.scene().layers[9].layerClass, ClassFree);  // zeroed records load image 0
    EXPECT_EQ(f.out.width, 350);
    EXPECT_EQ(f.out.height, 320);
}

TEST(GlintoraEffect, ResizedIsRaisedOnSizeChangesAndEvery17thFrame) {
    GlintoraFixture f;
    std::vector<int> raised;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(f.frame(i == 20 ? 351 : 350, 320));
        if (f.effect.resized) raised.push_back(i);
    }
    EXPECT_EQ(raised, (std::vector<int>{16, 20, 21, 37}));
}

}  // namespace
}  // namespace tevaro::viz
