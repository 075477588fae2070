#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "classic_viz/framework/random_source.h"
#include "classic_viz/framework/spectrum_analysis.h"

namespace tevaro::viz {
namespace {

std::array<std::uint8_t, SpectrumBins> rampBins() {
    std::array<std::uint8_t, SpectrumBins> bins{};
    for (int i = 0; i < SpectrumBins; ++i)
        bins[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((i * 7) & 0xFF);
    return bins;
}

TEST(RandomSource, StartsAtStateOneAndNeverSeeds) {
    RandomSource random;
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int v : expected) EXPECT_EQ(random.next(), v);
}

TEST(SpectrumReduction, EachOfTheFirst256BinsBecomesTheLoudestOfItsFour) {
    std::array<std::uint8_t, SpectrumBins> bins = rampBins();
    const std::array<std::uint8_t, SpectrumBins> before = bins;
    bins[0] = 1;
    bins[1] = 9;
    bins[2] = 3;
    bins[3] = 2;
    bins[1020] = 200;
    bins[1021] = 3;
    bins[1022] = 4;
    bins[1023] = 201;
    SpectrumAnalysis::reduceSpectrum(bins.data());
    EXPECT_EQ(bins[0], 9);
    EXPECT_EQ(bins[255], 201);
    for (int i = 1; i < 255; ++i) {
        std::uint8_t m = 0;
        for (int k = 0; k < 4; ++k) m = std::max(m, before[static_cast<std::size_t>(4 * i + k)]);
        EXPECT_EQ(bins[static_cast<std::size_t>(i)], m) << "bin " << i;
    }
    for (int i = 256; i < 1020; ++i)
        EXPECT_EQ(bins[static_cast<std::size_t>(i)], before[static_cast<std::size_t>(i)]) << "bin " << i;
}

TEST(AudioUpdate, StraightOrderTakesBinIPlusOneAndMetersTheLevel) {
    SpectrumAnalysis s;
    RandomSource random;
    std::array<std::uint8_t, SpectrumBins> bins{};
    for (int i = 0; i < 256; ++i) bins[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    s.audioUpdate(bins.data(), random);
    for (int i = 0; i < 255; ++i) EXPECT_EQ(s.buffers[0][static_cast<std::size_t>(i)], i + 1);
    EXPECT_EQ(s.buffers[0][255], 0);
    EXPECT_EQ(s.binCount, 255);
    // Sum of bins 0..254 = 32385; / 106 = 305, capped at 255.
    EXPECT_EQ(s.level, 255);
    EXPECT_EQ(s.historyIndex, 1);
    EXPECT_EQ(s.averageLevel, 25);
}

TEST(AudioUpdate, ReversedOrderFillsEntries1To255AndKeepsEntry0) {
    SpectrumAnalysis s;
    RandomSource random;
    s.settings.orderMode = 2;
    s.buffers[0][0] = 77;
    std::array<std::uint8_t, SpectrumBins> bins{};
    for (int i = 0; i < 256; ++i) bins[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i / 2);
    s.audioUpdate(bins.data(), random);
    EXPECT_EQ(s.buffers[0][0], 77);
    for (int i = 0; i < 255; ++i) EXPECT_EQ(s.buffers[0][static_cast<std::size_t>(255 - i)], (i + 1) / 2);
    // 2 x (0 + 1 + ... + 126) + 127 = 16129; / 106 = 152.
    EXPECT_EQ(s.level, 152);
}

TEST(AudioUpdate, SilenceGivesLevelZeroAndWithSmoothingAnAllZeroSpectrum) {
    SpectrumAnalysis s;
    RandomSource random;
    s.settings.smoothing = 5;
    s.settings.gain = 60;
    std::array<std::uint8_t, SpectrumBins> bins{};
    s.audioUpdate(bins.data(), random);
    EXPECT_EQ(s.level, 0);
    for (int i = 0; i < s.binCount; ++i) EXPECT_EQ(s.buffers[0][static_cast<std::size_t>(i)], 0);
}

TEST(AudioUpdate, FrameSkipTwoTakesTheAudioOnEveryThirdFrame) {
    SpectrumAnalysis s;
    RandomSource random;
    s.settings.frameSkip = 2;
    std::vector<int> seen, history;
    for (int frame = 0; frame < 7; ++frame) {
        std::array<std::uint8_t, SpectrumBins> bins{};
        bins.fill(static_cast<std::uint8_t>(10 + frame));
        s.frame(bins.data(), random);
        seen.push_back(s.buffers[0][0]);
        history.push_back(s.historyIndex);
    }
    EXPECT_EQ(seen, (std::vector<int>{10, 10, 10, 13, 13, 13, 16}));
    EXPECT_EQ(history, (std::vector<int>{1, 1, 1, 2, 2, 2, 3}));
}

TEST(AnalysisChain, MirrorThenResampleGivesTheEntryCountsTheEffectsRelyOn) {
    struct Case {
        int factor;
        int expected;
    };
    for (const Case c : {Case{175, 351}, Case{180, 361}, Case{182, 365}}) {
        SCOPED_TRACE(c.factor);
        SpectrumAnalysis s;
        s.settings.orderMode = 8;
        s.settings.resampleFactor = c.factor;
        for (int i = 0; i < 255; ++i) s.buffers[0][static_cast<std::size_t>(i)] = i;
        s.mirror();
        EXPECT_EQ(s.binCount, 512);
        EXPECT_EQ(s.buffers[1][0], 0);  // entry 255 of the input: the slot left at 0
        EXPECT_EQ(s.buffers[1][1], 254);
        EXPECT_EQ(s.buffers[1][255], 0);
        EXPECT_EQ(s.buffers[1][509], 254);
        s.resample();
        EXPECT_EQ(s.binCount, c.expected);
        EXPECT_EQ(s.source, 2);
        s.copyBack();
        EXPECT_EQ(s.source, 0);
        EXPECT_EQ(s.buffers[0][0], 0);
    }
}

TEST(AnalysisChain, StretchWritesMidpointsUntil512Entries) {
    SpectrumAnalysis s;
    s.settings.resampleFactor = 512;  // step 0: the accumulator never wraps, every gap gets a midpoint
    for (int i = 0; i < 255; ++i) s.buffers[0][static_cast<std::size_t>(i)] = 2 * i;
    s.resample();
    EXPECT_EQ(s.binCount, 509);
    EXPECT_EQ(s.buffers[1][0], 0);
    EXPECT_EQ(s.buffers[1][1], 2);  // (0 + 4) >> 1
    EXPECT_EQ(s.buffers[1][2], 2);
    EXPECT_EQ(s.buffers[1][508], 508);
}

TEST(AnalysisChain, GainAddsToNonZeroEntriesAndClamps) {
    SpectrumAnalysis s;
    s.binCount = 3;
    s.buffers[0][0] = 0;
    s.buffers[0][1] = 10;
    s.buffers[0][2] = 250;
    s.settings.gain = 10;
    s.applyGain();
    EXPECT_EQ(s.buffers[0][0], 0);
    EXPECT_EQ(s.buffers[0][1], 20);
    EXPECT_EQ(s.buffers[0][2], 255);
}

TEST(AnalysisChain, SmoothingCountsEntryTwiceAndReusesItNearTheEnd) {
    struct Case {
        std::vector<int> in;
        int window;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{3, 6, 9}, 1, {6, 10, 13}},
        {{200, 0, 0}, 1, {200, 5, 0}},  // the silent stretch decays from its left neighbour
        {{255, 255, 255}, 2, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        SpectrumAnalysis s;
        s.binCount = static_cast<int>(c.in.size());
        for (std::size_t i = 0; i < c.in.size(); ++i) s.buffers[0][i] = c.in[i];
        s.settings.smoothing = c.window;
        s.smooth();
        std::vector<int> out(s.buffers[0].begin(), s.buffers[0].begin() + s.binCount);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(AnalysisChain, BlendWeighsThePreviousFrameAndRemembersTheResult) {
    SpectrumAnalysis s;
    s.binCount = 2;
    s.settings.blendPercent = 60;
    s.previous[0] = 100;
    s.previous[1] = 0;
    s.previous[2] = 50;
    s.buffers[0][0] = 0;
    s.buffers[0][1] = 200;
    s.buffers[0][2] = 50;
    s.blend();
    EXPECT_EQ(s.buffers[0][0], 60);
    EXPECT_EQ(s.buffers[0][1], 80);
    EXPECT_EQ(s.buffers[0][2], 50);  // bin count itself is included
    EXPECT_EQ(s.previous[0], 60);
    EXPECT_EQ(s.previous[1], 80);
}

TEST(AnalysisChain, OrderModeNineMirrorsOnlyWhereTheEffectSaysSo) {
    EXPECT_TRUE(SpectrumAnalysis(true).mirrors(9));
    EXPECT_FALSE(SpectrumAnalysis(false).mirrors(9));
    for (int mode : {1, 3, 8}) EXPECT_TRUE(SpectrumAnalysis(false).mirrors(mode));
    for (int mode : {0, 2, 10}) EXPECT_FALSE(SpectrumAnalysis(true).mirrors(mode));
}

TEST(AudioUpdate, ScatterRunsFillAll255EntriesFromBinRuns) {
    SpectrumAnalysis s;
    RandomSource random;
    s.settings.scatterMode = 2;
    std::array<std::uint8_t, SpectrumBins> bins{};
    for (int i = 0; i < 256; ++i) bins[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    // Each bin holds its own number, so an entry names the bin it came from. Every update first
    // takes 255 draws for the per-entry scatter; then each run takes a start (& 255) and a length
    // (& 15), and a run whose end would reach entry 255 starts at its length instead.
    struct Run {
        int update, firstEntry, firstBin, length;
    };
    const Run runs[] = {
        {1, 0, 118, 11},   // draws 256 and 257, 22646 and 26362: start 118, length 10 + 1
        {1, 11, 22, 12},   // 4886, 18875
        {1, 23, 17, 14},   // 28433, 29869
        {1, 37, 174, 5},   // 20142, 23844
        {1, 42, 136, 10},  // 1416, 21881
        {1, 52, 2, 3},     // 31998, 10322: 254 + 2 passes 255, so the run starts at its length, 2
        {1, 55, 219, 6},   // 18651, 10021
        {1, 61, 67, 6},    // 5699, 3557
        {1, 249, 241, 6},  // the 33rd run, 12529, 22549: fills exactly to entry 254
        {3, 254, 104, 1},  // draws 950 and 951, 29288 and 28082: length 3, cut off after entry 254
        {6, 70, 5, 6},     // draws 1857 and 1858, 20474 and 24773: 250 + 5 is exactly 255, start 5
    };
    for (int update = 1; update <= 6; ++update) {
        SCOPED_TRACE(update);
        s.audioUpdate(bins.data(), random);
        for (const Run& run : runs) {
            if (run.update != update) continue;
            for (int j = 0; j < run.length; ++j)
                EXPECT_EQ(s.buffers[0][static_cast<std::size_t>(run.firstEntry + j)], run.firstBin + j)
                    << "entry " << run.firstEntry + j;
        }
        EXPECT_EQ(s.buffers[0][255], 0);
        if (update > 1) continue;
        // Consecutive entries inside a run step by one.
        int steps = 0;
        for (int i = 1; i < 255; ++i)
            if (s.buffers[0][static_cast<std::size_t>(i)] == s.buffers[0][static_cast<std::size_t>(i - 1)] + 1) ++steps;
        EXPECT_GT(steps, 150);
    }
}

}  // namespace
}  // namespace tevaro::viz
