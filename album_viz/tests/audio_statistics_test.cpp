// The player's levels reduced in place, frozen spectra read as silence, the level ring and the
// frame-rate measurement behind the low-rate flag.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "album_viz/model/audio_statistics.h"

namespace tevaro::album {
namespace {

std::vector<std::uint8_t> levels(std::uint8_t fill = 0) { return std::vector<std::uint8_t>(2 * FrequencyBytes, fill); }

TEST(AudioStatistics, EachReducedBinIsTheLoudestOfItsFourBytesPerChannel) {
    auto f = levels();
    for (int i = 0; i < 2 * FrequencyBytes; ++i) f[i] = std::uint8_t((i * 37 + 11) % 251);
    const auto original = f;
    AudioFrame frame;
    updateAudioFrame(frame, f.data(), false);
    for (int channel = 0; channel < 2; ++channel) {
        const std::uint8_t* in = original.data() + channel * FrequencyBytes;
        for (int i = 0; i < ReducedBins; ++i) {
            SCOPED_TRACE(testing::Message() << "channel " << channel << " bin " << i);
            std::uint8_t expected = 0;
            for (int k = 0; k < 4; ++k) expected = std::max(expected, in[4 * i + k]);
            EXPECT_EQ(f[channel * FrequencyBytes + i], expected);
        }
        // The rest of the channel is left as it was.
        EXPECT_EQ(0, std::memcmp(f.data() + channel * FrequencyBytes + ReducedBins, in + ReducedBins,
                                 FrequencyBytes - ReducedBins));
    }
    const std::int32_t* spectra[] = {frame.left, frame.right};
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_EQ(spectra[channel][0], 0);
        EXPECT_EQ(spectra[channel][255], 0);
        for (int i = 1; i <= 254; ++i) EXPECT_EQ(spectra[channel][i], f[channel * FrequencyBytes + i]) << i;
    }
}

TEST(AudioStatistics, SevenFrozenFramesGiveSilenceUntilABinChanges) {
    AudioFrame frame;
    // A steady tone in bins 50..59 (bytes 200..239) and elsewhere.
    auto steady = levels(90);
    struct Step {
        int changedByte;  // −1: the same spectrum again
        bool silent;
    };
    // The first frame differs from the empty frozen copy; six repeats then reach a count of 7.
    const Step steps[] = {{-1, false}, {-1, false}, {-1, false}, {-1, false},  {-1, false}, {-1, false},
                          {-1, false}, {-1, true},  {-1, true},  {201, false}, {-1, false}, {300, false}};
    std::uint8_t value = 90;
    int frameIndex = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "frame " << frameIndex++);
        if (s.changedByte >= 0) steady[s.changedByte] = ++value;
        auto f = steady;
        updateAudioFrame(frame, f.data(), false);
        EXPECT_EQ(frame.left[1] == 0, s.silent);
        EXPECT_EQ(frame.right[200] == 0, s.silent);
        // Bin 0 is never zeroed.
        EXPECT_EQ(f[0], 90);
        EXPECT_LE(frame.frozenCount, 7);
        if (s.silent) {
            for (int i = 1; i < ReducedBins; ++i) {
                ASSERT_EQ(f[i], 0) << i;
                ASSERT_EQ(f[FrequencyBytes + i], 0) << i;
            }
            EXPECT_EQ(frame.meanLevel, 0);
            EXPECT_EQ(frame.nonZeroCount, 0);
        }
    }
}

TEST(AudioStatistics, MeanLevelCountsOnlyNonZeroLeftBinsAndActivityDividesTheRingBy68) {
    struct Case {
        std::vector<std::pair<int, std::uint8_t>> bins;  // reduced left bin, value
        std::int32_t mean, count;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{{1, 200}}, 200, 1},
        {{{1, 200}, {2, 100}, {254, 3}}, 101, 3},
        {{{0, 255}, {255, 255}, {10, 8}}, 8, 1},  // bins 0 and 255 are outside 1..254
    };
    for (const Case& c : cases) {
        AudioFrame frame;
        auto f = levels();
        for (auto [bin, v] : c.bins) f[4 * bin + 2] = v;
        updateAudioFrame(frame, f.data(), false);
        EXPECT_EQ(frame.meanLevel, c.mean);
        EXPECT_EQ(frame.nonZeroCount, c.count);
        EXPECT_EQ(frame.activity, c.mean / 68);
    }
    // 67 frames of mean 100 fill the ring: 6700 / 68.
    AudioFrame frame;
    for (int n = 0; n < 67; ++n) {
        auto f = levels();
        f[4 * 3] = 100;
        f[4 * 50] = std::uint8_t(n + 1);  // a changing bin keeps it from freezing
        updateAudioFrame(frame, f.data(), false);
    }
    for (std::int32_t v : frame.levelRing) EXPECT_GT(v, 0);
    std::int32_t sum = 0;
    for (std::int32_t v : frame.levelRing) sum += v;
    EXPECT_EQ(frame.activity, sum / 68);
    EXPECT_LT(frame.activity, frame.meanLevel);
}

TEST(AudioStatistics, LowRateEmptiesTheSpectrum) {
    AudioFrame frame;
    auto f = levels(200);
    updateAudioFrame(frame, f.data(), true);
    for (int i = 0; i < SpectrumLength; ++i) {
        EXPECT_EQ(frame.left[i], 0) << i;
        EXPECT_EQ(frame.right[i], 0) << i;
    }
    EXPECT_EQ(frame.meanLevel, 0);
}

TEST(FrameRate, SmoothsOncePerSecondWithWeightOneEleventh) {
    struct Case {
        int framesAtZero;
        std::uint32_t tickMs;
        std::uint32_t measured;
        float smoothed;
    };
    const Case cases[] = {
        {20, 1001, 19, (200.0f + 19) / 11},
        {30, 1001, 29, (200.0f + 29) / 11},
        {4, 1001, 3, (200.0f + 3) / 11},
        {3, 1001, 2, 20.0f},  // rates of 2 or less say nothing about the drawing
        {2, 1001, 1, 20.0f},
        {10, 1000, 0, 20.0f},  // not yet more than a second: no measurement
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.framesAtZero << " frames, tick at " << c.tickMs);
        FrameRateMeter meter;
        for (int i = 0; i < c.framesAtZero; ++i) meter.tick(0);
        meter.tick(c.tickMs);
        EXPECT_EQ(meter.measuredRate, c.measured);
        EXPECT_NEAR(meter.smoothedRate, c.smoothed, 1e-4f);
        EXPECT_FALSE(meter.lowRate);
    }
}

TEST(FrameRate, MeasuresFramesTimesThousandOverElapsed) {
    FrameRateMeter meter;
    for (int i = 0; i < 15; ++i) meter.tick(0);  // 15 frames at time 0
    meter.tick(1500);                            // 15 × 1000 / 1500
    EXPECT_EQ(meter.measuredRate, 10u);
    EXPECT_EQ(meter.frameCounter, 1u);
    EXPECT_EQ(meter.rateTimeMs, 1500u);
    // Exactly 1000 ms later is not yet more than a second.
    meter.tick(2500);
    EXPECT_EQ(meter.rateTimeMs, 1500u);
}

TEST(FrameRate, ASlowSecondLowersTheRateGraduallyAndTheFlagStaysUntilRestart) {
    FrameRateMeter meter;
    std::uint32_t now = 0;
    int seconds = 0;
    // Five frames per second: 20 → 18.6 → 17.4 → ... ; the flag comes once s ≤ 10.
    std::vector<float> history;
    while (!meter.lowRate && seconds < 60) {
        for (int i = 0; i < 5; ++i, now += 200) meter.tick(now);
        ++seconds;
        history.push_back(meter.smoothedRate);
    }
    ASSERT_TRUE(meter.lowRate);
    float expected = 20.0f;
    int toTen = 0;
    while (expected > 10.0f) {
        expected = (expected * 10.0f + 5.0f) / 11.0f;
        ++toTen;
    }
    EXPECT_NEAR(meter.smoothedRate, expected, 0.01f);
    EXPECT_GE(int(history.size()), toTen);
    for (std::size_t i = 1; i < history.size(); ++i) EXPECT_GE(history[i - 1] - history[i], 0.0f);
    // Fast frames again do not clear the flag by themselves.
    for (int i = 0; i < 200; ++i, now += 20) meter.tick(now);
    EXPECT_TRUE(meter.lowRate);
    meter.restart();
    EXPECT_FALSE(meter.lowRate);
    EXPECT_FLOAT_EQ(meter.smoothedRate, 20.0f);
}

}  // namespace
}  // namespace tevaro::album
