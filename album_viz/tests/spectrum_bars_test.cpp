// Bar levels, peak gravity and the picture list of one canvas redraw, and when the bars redraw
// at which size.
#include <gtest/gtest.h>

#include <vector>

#include "album_viz/model/spectrum_bars.h"

namespace tevaro::album {
namespace {

std::vector<BarCell> cellsAt(const BarDrawList& list, int x) {
    std::vector<BarCell> out;
    for (int i = 0; i < list.count; ++i)
        if (list.cells[i].x == x) out.push_back(list.cells[i]);
    return out;
}

int barX(int bar, bool large = false) { return 15 * (large ? 2 : 1) * bar + 2; }

AudioFrame leftBin(int bin, std::int32_t value) {
    AudioFrame a;
    a.left[bin] = value;
    return a;
}

struct Expected {
    BarImage image;
    int y;
};

void expectCells(const std::vector<BarCell>& got, const std::vector<Expected>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "cell " << i);
        EXPECT_EQ(int(got[i].image), int(want[i].image));
        EXPECT_EQ(got[i].y, want[i].y);
    }
}

TEST(SpectrumBars, RowsDrawnByLevelAndLitByRaw) {
    using I = BarImage;
    struct Case {
        std::int32_t value;
        bool large;
        std::vector<Expected> cells;  // bar 1, lowest first, then the peak marker
    };
    const Case cases[] = {
        {255,
         false,
         {{I::R1, 90},
          {I::R2, 100},
          {I::R3, 110},
          {I::Block1A, 75},
          {I::Block2A, 63},
          {I::Block3A, 50},
          {I::Block4A, 38},
          {I::Block5A, 26},
          {I::Block6A, 14},
          {I::Peak, 2}}},
        {255,
         true,
         {{I::R1, 180},
          {I::R2, 200},
          {I::R3, 220},
          {I::Block1A, 150},
          {I::Block2A, 126},
          {I::Block3A, 100},
          {I::Block4A, 76},
          {I::Block5A, 52},
          {I::Block6A, 28},
          {I::Peak, 4}}},  // 2 × trunc(10.85) − 16
        {40, false, {{I::R1, 90}, {I::Block1A, 75}, {I::Block1B, 63}, {I::Peak, 50}}},
        {39, false, {{I::R1, 90}, {I::Block1B, 75}, {I::Peak, 63}}},
        {100,
         false,
         {{I::R1, 90},
          {I::R2, 100},
          {I::R3, 110},
          {I::Block1A, 75},
          {I::Block2A, 63},
          {I::Block3A, 50},
          {I::Peak, 38}}},
        {5, false, {{I::R1, 90}, {I::Block1B, 75}, {I::Peak, 63}}},
        // Level 4 draws no block: the peak stays at rest with its reflection.
        {4, false, {{I::Peak, 75}, {I::RPeak, 90}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << (c.large ? " large" : ""));
        SpectrumBars bars;
        BarDrawList list;
        bars.advance(leftBin(10, c.value), c.large, list);
        expectCells(cellsAt(list, barX(1, c.large)), c.cells);
        EXPECT_EQ(bars.level(1), c.value);
        EXPECT_EQ(bars.raw(1), c.value);
    }
}

TEST(SpectrumBars, FullBinPullsThePeakToTenAndItRisesTo10_85) {
    SpectrumBars bars;
    BarDrawList list;
    bars.advance(leftBin(10, 255), false, list);
    EXPECT_NEAR(bars.peak(1), 10.85f, 1e-5f);
}

TEST(SpectrumBars, PeakFromTenPasses83OnThe56thUpdateAndRestsOnTheNext) {
    SpectrumBars bars;
    bars.setPeak(1, 10.0f);
    const AudioFrame silence;
    BarDrawList list;
    int updates = 0;
    while (bars.peak(1) <= 83.0f && updates < 1000) {
        bars.advance(silence, false, list);
        ++updates;
    }
    EXPECT_EQ(updates, 56);
    EXPECT_NEAR(bars.peak(1), 83.78f, 0.01f);
    bars.advance(silence, false, list);
    EXPECT_EQ(bars.peak(1), 83.0f);
    // Resting again: the marker on the bottom row with its reflection.
    expectCells(cellsAt(list, barX(1)), {{BarImage::Peak, 75}, {BarImage::RPeak, 90}});
}

TEST(SpectrumBars, MarkersAboveTheCanvasTopAreNotDrawn) {
    struct Case {
        float peak;
        bool drawn;
    };
    // y = trunc(peak × 1.015 + 0.7) − 8 ≥ −3.
    const Case cases[] = {{4.3f, true}, {4.2f, false}, {10.0f, true}, {3.0f, false}};
    for (const Case& c : cases) {
        SpectrumBars bars;
        bars.setPeak(2, c.peak);
        BarDrawList list;
        bars.advance(AudioFrame{}, false, list);
        EXPECT_EQ(cellsAt(list, barX(2)).size(), c.drawn ? 1u : 0u) << c.peak;
    }
}

TEST(SpectrumBars, BinsOfEachBarAndTheEmptyMiddle) {
    AudioFrame a;
    for (int i = 1; i <= 254; ++i) {
        a.left[i] = 200;
        a.right[i] = 200;
    }
    SpectrumBars bars;
    BarDrawList list;
    bars.advance(a, false, list);
    for (int b = 1; b <= 38; ++b) {
        SCOPED_TRACE(b);
        const bool empty = b == 19 || b == 20;
        EXPECT_EQ(cellsAt(list, barX(b)).empty(), empty);
        EXPECT_EQ(bars.level(b), empty ? 0 : 200);
    }
    EXPECT_EQ(bars.peak(19), 83.0f);
    EXPECT_EQ(bars.peak(20), 83.0f);
    // Each bar reads its own bin: left 9b + 1, right 354 − 9b.
    struct Case {
        int bar;
        bool leftChannel;
        int bin;
    };
    const Case cases[] = {{1, true, 10}, {18, true, 163}, {21, false, 165}, {38, false, 12}};
    for (const Case& c : cases) {
        AudioFrame one;
        (c.leftChannel ? one.left : one.right)[c.bin] = 150;
        SpectrumBars fresh;
        fresh.advance(one, false, list);
        for (int b = 1; b <= 38; ++b) EXPECT_EQ(fresh.level(b), b == c.bar ? 150 : 0) << c.bar << " " << b;
    }
}

TEST(SpectrumBars, LeftFallsFromTheLevelRightFromTheLastRaw) {
    SpectrumBars bars;
    BarDrawList list;
    AudioFrame loud;
    loud.left[10] = 200;
    loud.right[165] = 200;  // bar 21
    bars.advance(loud, false, list);
    AudioFrame half;
    half.left[10] = 100;
    half.right[165] = 100;
    bars.advance(half, false, list);  // 200 > 100: both fall from 200
    EXPECT_EQ(bars.level(1), 190);
    EXPECT_EQ(bars.level(21), 190);
    EXPECT_EQ(bars.raw(21), 100);
    AudioFrame quiet;
    bars.advance(quiet, false, list);
    EXPECT_EQ(bars.level(1), 180);  // trunc(190 × 0.95)
    EXPECT_EQ(bars.level(21), 95);  // trunc(100 × 0.95), the last raw value
    bars.advance(quiet, false, list);
    EXPECT_EQ(bars.level(1), 171);
    EXPECT_EQ(bars.level(21), 0);
}

TEST(SpectrumBars, RedrawsEverySecondFrameWhileThereIsSoundOrThePeaksFall) {
    SpectrumBars bars;
    BarInputs in{350, 320, 20.0f, false, 0};
    AudioFrame silent;
    AudioFrame sound;
    sound.activity = 3;
    // Silence from the start: never.
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(bars.update(silent, in)) << i;
    // Sound: even counts only (the counter is at 6, so 7 no, 8 yes).
    EXPECT_FALSE(bars.update(sound, in));
    EXPECT_TRUE(bars.update(sound, in));
    EXPECT_TRUE(bars.settling());
    // A falling peak keeps the redraws going after the sound stops, and stamps the activity time.
    bars.setPeak(5, 40.0f);
    in.nowMs = 777;
    EXPECT_FALSE(bars.update(silent, in));
    EXPECT_TRUE(bars.update(silent, in));
    EXPECT_EQ(bars.lastActivityMs(), 777u);
    // Once every peak rests: one last redraw of the reset bars, then nothing.
    bars.setPeak(5, 83.0f);
    bars.setLevel(3, 100);
    EXPECT_FALSE(bars.update(silent, in));
    EXPECT_TRUE(bars.update(silent, in));
    EXPECT_FALSE(bars.settling());
    EXPECT_EQ(bars.level(3), 0);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(bars.update(silent, in));
    // Hidden bars are never drawn, though the state still moves.
    in.barsHidden = true;
    EXPECT_FALSE(bars.update(sound, in));
    EXPECT_FALSE(bars.update(sound, in));
    EXPECT_TRUE(bars.settling());
}

TEST(SpectrumBars, LargeBarsChosenAbove17KeptAbove15) {
    struct Step {
        int w, h;
        float rate;
        bool large;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"1024 x 768: chosen at 20, kept at 16, dropped at 15",
         {{1024, 768, 20, true}, {1024, 768, 16, true}, {1024, 768, 15, false}, {1024, 768, 16, false}}},
        {"never chosen at 17 or below", {{1024, 768, 17, false}, {1024, 768, 17.5f, true}}},
        {"800 x 600 and smaller windows never",
         {{800, 601, 30, false}, {801, 600, 30, false}, {801, 601, 30, true}, {640, 480, 30, false}}},
        {"dropped when the window shrinks", {{1280, 720, 25, true}, {800, 720, 25, false}}},
    };
    AudioFrame sound;
    sound.activity = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpectrumBars bars;
        for (const Step& s : c.steps) {
            BarInputs in{s.w, s.h, s.rate, false, 0};
            bars.update(sound, in);
            ASSERT_TRUE(bars.update(sound, in));
            EXPECT_EQ(bars.large(), s.large) << s.w << " x " << s.h << " at " << s.rate;
        }
    }
}

TEST(SpectrumBars, BandHeightFollowsTheCanvasAspectUpToHalfTheWindow) {
    struct Case {
        int w, h, band;
    };
    const Case cases[] = {{350, 320, 71}, {800, 600, 162}, {1280, 720, 260}, {600, 122, 61}, {1200, 100, 50}};
    for (const Case& c : cases) EXPECT_EQ(barBandHeight(c.w, c.h), c.band) << c.w << " x " << c.h;
    EXPECT_EQ(barCanvasSize(false).width, 600);
    EXPECT_EQ(barCanvasSize(false).height, 122);
    EXPECT_EQ(barCanvasSize(true).width, 1200);
    EXPECT_EQ(barCanvasSize(true).height, 244);
}

}  // namespace
}  // namespace tevaro::album
