#include <gtest/gtest.h>

#include "classic_viz/framework/spectrum_painter.h"
#include "classic_viz/tests/effect_fixture.h"

namespace tevaro::viz {
namespace {

using testing::EmberluxFixture;
using testing::ThrobwaveFixture;

// Layer 0's pixel at a canvas row (layer 0 is drawn at screen row 0, its stored rows bottom first).
Pixel surfaceAt(SceneEngine& scene, int column, int canvasRow) {
    const ImageView& p = scene.layers[painter::Surface].picture;
    return p.pixels[(p.height - 1 - canvasRow) * p.width + column] & ColourBits;
}

// The folded style leaves an empty brush for silence. (The soft fold of preset 1 does not: its rest
// ramps start at T = 0, so silence shows the strip's first colour fading along the column.)
TEST(Throbwave, SilenceKeepsTheSurfaceBlackInTheFoldedPresets) {
    for (int preset : {ThrobwaveScene::TheseLips, ThrobwaveScene::SteelRhythm}) {
        ThrobwaveFixture f(preset);
        for (int k = 0; k < 12; ++k) ASSERT_TRUE(f.frame());
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 349; ++x) ASSERT_EQ(f.canvasAt(x, y), 0u) << preset << " at " << x << "," << y;
    }
}

TEST(Throbwave, FullEntryInTheFoldedStyleFillsBrushRows33To287) {
    ThrobwaveFixture f(ThrobwaveScene::TheseLips);
    f.loudness(0);
    for (int k = 0; k < 3; ++k) ASSERT_TRUE(f.frame());
    SceneEngine& scene = f.scene();
    scene.clearLayerZero();
    SpectrumAnalysis& spectrum = f.effect.spectrum;
    spectrum.buffers[0].fill(0);
    spectrum.buffers[0][40] = 255;
    spectrum.binCount = 100;
    painter::paintSpectrum(scene, spectrum);
    for (int row = 0; row < 320; ++row) {
        const bool inBar = row >= 33 && row <= 287;
        EXPECT_EQ(surfaceAt(scene, 40, row) != 0, inBar) << "row " << row;
        EXPECT_EQ(surfaceAt(scene, 41, row), 0u) << "row " << row;
    }
}

TEST(Throbwave, CompressedSpectrumIsLongerThanTheSurfaceButOnly352ColumnsArePainted) {
    struct Case {
        int preset, binCount;
    };
    const Case cases[] = {{0, 365}, {1, 361}, {2, 361}};
    for (const Case& c : cases) {
        ThrobwaveFixture f(c.preset);
        f.loudness(200);
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(f.frame());
        EXPECT_EQ(f.effect.spectrum.binCount, c.binCount) << c.preset;

        // The brush keeps the placement of the last painted column, 351, not of the later entries.
        SpectrumAnalysis& spectrum = f.effect.spectrum;
        spectrum.buffers[0].fill(200);
        spectrum.buffers[0][351] = 100;
        painter::paintSpectrum(f.scene(), spectrum);
        EXPECT_EQ(f.scene().motion[painter::Brush].scrollY, 110.0f) << c.preset;
    }
}

TEST(Throbwave, LoudMusicPaintsBarsCentredOnRow160) {
    ThrobwaveFixture f(ThrobwaveScene::TheseLips);
    f.loudness(120);
    for (int k = 0; k < 20; ++k) ASSERT_TRUE(f.frame());
    int top = -1, bottom = -1;
    for (int y = 0; y < 320; ++y)
        if (f.canvasAt(100, y) != 0) {
            if (top < 0) top = y;
            bottom = y;
        }
    ASSERT_GE(top, 0);
    EXPECT_LE(std::abs((top + bottom) / 2 - 160), 1) << top << ".." << bottom;
}

TEST(Throbwave, OnlySteelRhythmKeepsTheBrushAsALayerAtColumn349) {
    struct Case {
        int preset;
        bool brushShown;
    };
    const Case cases[] = {{0, false}, {1, false}, {2, true}};
    for (const Case& c : cases) {
        ThrobwaveFixture f(c.preset);
        f.loudness(150);
        for (int k = 0; k < 5; ++k) ASSERT_TRUE(f.frame());
        const Layer& brush = f.layer(painter::Brush);
        EXPECT_EQ(brush.isComposited(), c.brushShown) << c.preset;
        EXPECT_EQ(brush.screenX, 349) << c.preset;  // flat placement of world x 348: 348 x 256/255
        int lit = 0;
        for (int y = 0; y < 320; ++y) lit += f.canvasAt(349, y) != 0;
        if (c.brushShown) {
            EXPECT_GT(lit, 0) << c.preset;
        }
    }
}

TEST(Emberlux, FactorOf175Compresses512MirroredEntriesTo351) {
    for (int preset = 0; preset < 3; ++preset) {
        EmberluxFixture f(preset);
        f.loudness(100);
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(f.frame());
        EXPECT_EQ(f.effect.spectrum.binCount, 351) << preset;
    }
}

TEST(Emberlux, FloodRespondsToTheAverageLevel) {
    struct Case {
        int average, edge, blend;
        int edgeAfter, blendAfter;
        bool shown;
    };
    const Case cases[] = {
        {4, 0, 99, 0, 99, false},  // silence from the set-up: hidden at once
        {5, 0, 99, 4, 98, true},   // one loud frame
        {5, 16, 50, 16, 49, true}, {10, 12, 0, 16, 98, true}, {10, 17, 0, 17, 0, true},
        {0, 5, 97, 4, 99, true},   {0, 1, 90, 0, 92, false},  {0, 1, 80, 0, 82, true},
    };
    for (const Case& c : cases) {
        int edge = c.edge, blend = c.blend;
        bool shown = !c.shown;
        EmberluxScene::adjustResponse(c.average, edge, blend, shown);
        EXPECT_EQ(edge, c.edgeAfter) << c.average << " " << c.edge << " " << c.blend;
        EXPECT_EQ(blend, c.blendAfter) << c.average << " " << c.edge << " " << c.blend;
        EXPECT_EQ(shown, c.shown) << c.average << " " << c.edge << " " << c.blend;
    }
}

TEST(Emberlux, FloodIsHiddenFromTheFirstSilentFrameAndSharpensAfterOneLoudFrame) {
    EmberluxFixture f(EmberluxScene::Flood);
    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(f.frame());
        if (k == 0) continue;  // the set-up frame
        EXPECT_FALSE(f.layer(painter::Surface).isComposited()) << k;
        EXPECT_EQ(f.effect.spectrum.settings.blendPercent, 99);
        EXPECT_EQ(f.layer(painter::Brush).edgeWidth, 0);
    }
    f.loudness(255);
    ASSERT_TRUE(f.frame());
    EXPECT_TRUE(f.layer(painter::Surface).isComposited());
    EXPECT_EQ(f.layer(painter::Brush).edgeWidth, 4);
    EXPECT_EQ(f.effect.spectrum.settings.blendPercent, 98);
}

TEST(Emberlux, BarsStandOnTheBottomEdge) {
    for (int preset = 0; preset < 2; ++preset) {
        EmberluxFixture f(preset);
        f.loudness(120);
        for (int k = 0; k < 20; ++k) ASSERT_TRUE(f.frame());
        // Order modes 1 and 6 anchor every bar at the bottom row; the top rows stay dark.
        int lit = 0;
        for (int x = 20; x < 330; ++x) lit += surfaceAt(f.scene(), x, 319) != 0;
        EXPECT_GT(lit, 250) << preset;
        EXPECT_EQ(surfaceAt(f.scene(), 100, 0), 0u) << preset;
    }
}

}  // namespace
}  // namespace tevaro::viz
