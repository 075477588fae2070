#include "dsp/engine/virtualiser_stage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

std::int16_t truncClamp(double v) {
    return static_cast<std::int16_t>(std::trunc(std::fmax(-32768.0, std::fmin(32767.0, v))));
}

std::vector<std::int16_t> noise(std::size_t samples, std::uint32_t seed) {
    std::vector<std::int16_t> v(samples);
    for (auto& s : v) {
        seed = seed * 1664525u + 1013904223u;
        s = static_cast<std::int16_t>(seed >> 16);
    }
    return v;
}

struct ChoiceRow {
    std::uint32_t word;
    const CoefficientSet* set;
    int taps;
    double gain;
    bool adds;
};

// The selection table, plus words that carry more than one preset or quality bit.
TEST(VirtualiserChoice, SetTapsAndGainFromTheWord) {
    const ChoiceRow rows[] = {
        {FlagRockPop | FlagQualityMax, &frontRockPop128, 128, 2.5, true},
        {FlagRockPop | FlagQualityMid, &frontRockPop96, 96, 2.1, true},
        {FlagRockPop | FlagQualityMin, &frontRockPop72, 72, 2.0, false},
        {FlagClassic | FlagQualityMax, &frontClassic, 127, 2.0, true},
        {FlagClassic | FlagQualityMid, &frontClassic, 72, 2.0, true},
        {FlagClassic | FlagQualityMin, &frontClassic, 72, 1.5, false},
        {FlagJazz | FlagQualityMax, &frontJazz128, 128, 2.5, true},
        {FlagJazz | FlagQualityMid, &frontJazz96, 96, 2.1, true},
        {FlagJazz | FlagQualityMin, &frontJazz72, 72, 2.0, false},
        {FlagMovie | FlagQualityMax, &frontMovie, 127, 2.5, true},
        {FlagMovie | FlagQualityMid, &frontMovie, 72, 2.5, true},
        {FlagMovie | FlagQualityMin, &frontMovie, 72, 2.0, false},
        {FlagMovie, &frontMovie, 72, 2.0, true},                                      // no quality bit: Min's row
        {FlagRockPop | FlagJazz | FlagQualityMid, &frontRockPop96, 96, 2.1, true},    // 0x1 tested first
        {FlagClassic | FlagNeutral | FlagQualityMax, &frontClassic, 127, 2.0, true},  // a filter beats Neutral
        {FlagJazz | FlagQualityMax | FlagQualityMid, &frontJazz128, 128, 2.5, true},  // Max tested before Mid
        {FlagRockPop | FlagQualityMax | FlagQualityMin, &frontRockPop128, 128, 2.5, false},  // Min drops d and e
    };
    for (const ChoiceRow& row : rows) {
        SCOPED_TRACE(row.word);
        const VirtualiserChoice c = chooseVirtualiser(row.word);
        EXPECT_EQ(c.mode, VirtualiserChoice::Mode::filter);
        EXPECT_EQ(c.set, row.set);
        EXPECT_EQ(c.taps, row.taps);
        EXPECT_EQ(c.gain, row.gain);
        EXPECT_EQ(c.addsEarlierStages, row.adds);
    }
    EXPECT_EQ(chooseVirtualiser(FlagNeutral | FlagQualityMax).mode, VirtualiserChoice::Mode::neutral);
    EXPECT_EQ(chooseVirtualiser(DefaultSettingsWord).mode, VirtualiserChoice::Mode::neutral);
    EXPECT_EQ(chooseVirtualiser(FlagQualityMax | FlagSurroundOn).mode, VirtualiserChoice::Mode::passThrough);
}

class VirtualiserStageTest : public ::testing::Test {
protected:
    void SetUp() override { stage->reset(); }
    std::unique_ptr<VirtualiserStage> stage = std::make_unique<VirtualiserStage>();
};

// An impulse of amplitude a on the left alone through Rock/Pop at Min: the left output is
// trunc(2 a h1[i]), the right trunc(2 a h2[i]) for the 72 taps, then silence. Whatever the
// earlier stages left is discarded at Min.
TEST_F(VirtualiserStageTest, LeftImpulseThroughRockPopAtMin) {
    for (double a : {32767.0, 1000.0, -32768.0}) {
        SCOPED_TRACE(a);
        stage->reset();
        const std::size_t frames = 100;
        std::vector<std::int16_t> in(2 * frames, 0), out = noise(2 * frames, 7);
        in[0] = static_cast<std::int16_t>(a);
        stage->process(FlagRockPop | FlagQualityMin, in.data(), out.data(), in.size());
        const double* h1 = frontRockPop72.filter(0);
        const double* h2 = frontRockPop72.filter(1);
        for (std::size_t i = 0; i < frames; ++i) {
            ASSERT_EQ(out[2 * i], i < 72 ? truncClamp(2.0 * a * h1[i]) : 0) << "frame " << i;
            ASSERT_EQ(out[2 * i + 1], i < 72 ? truncClamp(2.0 * a * h2[i]) : 0) << "frame " << i;
        }
    }
}

// At Mid and Max the earlier stages' output is added before the conversion.
TEST_F(VirtualiserStageTest, MidAndMaxAddTheEarlierStages) {
    for (std::uint32_t word : {FlagMovie | FlagQualityMax, FlagJazz | FlagQualityMid}) {
        SCOPED_TRACE(word);
        stage->reset();
        const VirtualiserChoice c = chooseVirtualiser(word);
        std::vector<std::int16_t> in(2 * 40, 0), out(2 * 40, 0);
        in[1] = 20000;  // right impulse
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::int16_t>(i % 2 ? -300 - i : 500 + i);
        const std::vector<std::int16_t> earlier = out;
        stage->process(word, in.data(), out.data(), in.size());
        for (std::size_t f = 0; f < 40; ++f) {
            ASSERT_EQ(out[2 * f], truncClamp(0.0 + c.gain * 20000 * c.set->filter(2)[f] + earlier[2 * f]));
            ASSERT_EQ(out[2 * f + 1], truncClamp(0.0 + c.gain * 20000 * c.set->filter(3)[f] + earlier[2 * f + 1]));
        }
    }
}

// From Max (n 128) to Min (n 72) with the position above 71: the stage keeps running inside the
// line and its positions are back in 0..71 within 56 frames, one frame per call here.
TEST_F(VirtualiserStageTest, MaxToMinWithThePositionAbove71) {
    const std::vector<std::int16_t> in = noise(2 * 128, 9);
    for (std::size_t maxFrames : {1u, 20u, 56u, 57u}) {  // positions 127, 108, 72, 71
        SCOPED_TRACE(maxFrames);
        stage->reset();
        std::vector<std::int16_t> out(in.size(), 0);
        stage->process(FlagRockPop | FlagQualityMax, in.data(), out.data(), 2 * maxFrames);
        const int start = stage->leftLine().position;
        EXPECT_EQ(start, 127 - static_cast<int>(maxFrames - 1));
        for (int frame = 0; frame < 56; ++frame)
            stage->process(FlagRockPop | FlagQualityMin, in.data() + 2 * frame, out.data() + 2 * frame, 2);
        EXPECT_LE(stage->leftLine().position, 71);
        EXPECT_LE(stage->rightLine().position, 71);
        EXPECT_GE(stage->leftLine().position, 0);
    }
}

TEST_F(VirtualiserStageTest, FullScaleSumsClampInsteadOfWrapping) {
    std::vector<std::int16_t> in(2 * 256), out(2 * 256, 0);
    for (std::size_t f = 0; f < 256; ++f) in[2 * f] = in[2 * f + 1] = (f / 9) % 2 ? 32767 : -32768;
    stage->process(FlagClassic | FlagQualityMax, in.data(), out.data(), in.size());
    bool reachedTop = false, reachedBottom = false;
    for (std::int16_t s : out) {
        reachedTop |= s == 32767;
        reachedBottom |= s == -32768;
    }
    EXPECT_TRUE(reachedTop);
    EXPECT_TRUE(reachedBottom);
}

// Neutral at every quality leaves exactly what the earlier stages wrote; a word with no preset
// bit passes the input through.
TEST_F(VirtualiserStageTest, NeutralKeepsTheOutputAndNoPresetPassesTheInput) {
    for (std::uint32_t quality : {0u, FlagQualityMin, FlagQualityMid, FlagQualityMax}) {
        SCOPED_TRACE(quality);
        const std::vector<std::int16_t> in = noise(2 * 300, 1), earlier = noise(2 * 300, 2);
        std::vector<std::int16_t> out = earlier;
        stage->process(FlagNeutral | FlagSurroundOn | quality, in.data(), out.data(), in.size());
        EXPECT_EQ(out, earlier);
        stage->process(quality | FlagSurroundOn, in.data(), out.data(), in.size());
        EXPECT_EQ(out, in);
    }
}

// Only the filters write the lines: Neutral and a word without a preset bit leave positions and
// slots as the last filtering call left them, so filtering resumes on the history before them.
TEST_F(VirtualiserStageTest, LinesStandStillWithoutAFilter) {
    const std::vector<std::int16_t> loud = noise(2 * 200, 3), other = noise(2 * 200, 4);
    const std::vector<std::int16_t> tail = noise(2 * 50, 6);
    const std::uint32_t filter = FlagRockPop | FlagQualityMin;
    for (std::uint32_t idle : {FlagNeutral | 0u, FlagNeutral | FlagQualityMin, FlagNeutral | FlagQualityMax,
                               FlagQualityMid | FlagSurroundOn, 0u}) {
        SCOPED_TRACE(idle);
        std::vector<std::int16_t> out(loud.size(), 0), expected(tail.size(), 0), actual(tail.size(), 0);
        stage->reset();
        stage->process(filter, loud.data(), out.data(), 2 * 131);  // leaves the position mid-line
        stage->process(filter, tail.data(), expected.data(), tail.size());

        stage->reset();
        stage->process(filter, loud.data(), out.data(), 2 * 131);
        const DualFir left = stage->leftLine(), right = stage->rightLine();
        stage->process(idle, other.data(), out.data(), other.size());
        for (const auto& [before, after] :
             {std::pair{&left, &stage->leftLine()}, std::pair{&right, &stage->rightLine()}}) {
            ASSERT_EQ(after->position, before->position);
            for (int i = 0; i < DualFir::lineSlots; ++i) ASSERT_EQ(after->line[i], before->line[i]) << "slot " << i;
        }
        stage->process(filter, tail.data(), actual.data(), tail.size());
        EXPECT_EQ(actual, expected);
    }
}

// Odd counts process the whole frames only and leave the last value; with the buffers sized
// exactly, AddressSanitizer catches any access past them.
TEST_F(VirtualiserStageTest, OddSampleCountsStayInsideTheBuffers) {
    for (std::uint32_t word : {FlagRockPop | FlagQualityMax, FlagMovie | FlagQualityMin, FlagNeutral | 0u, 0u}) {
        for (std::size_t samples : {1u, 3u, 7u, 129u, 257u}) {
            SCOPED_TRACE(testing::Message() << "word " << word << " samples " << samples);
            const std::vector<std::int16_t> source = noise(samples, 5);
            auto in = std::make_unique<std::int16_t[]>(samples);
            auto out = std::make_unique<std::int16_t[]>(samples);
            std::copy(source.begin(), source.end(), in.get());
            std::fill(out.get(), out.get() + samples, std::int16_t{1234});
            stage->process(word, in.get(), out.get(), samples);
            EXPECT_EQ(out[samples - 1], 1234);
        }
    }
}

}  // namespace
}  // namespace tevaro::dsp
