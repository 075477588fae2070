#include "dsp/engine/surround_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "dsp/engine/offline/programmes.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

constexpr std::uint32_t neutral = FlagNeutral;

std::unique_ptr<SurroundEngine> makeEngine(std::uint32_t word) {
    auto engine = std::make_unique<SurroundEngine>();
    engine->reset();
    engine->setFlags(word);
    return engine;
}

// Processes `in` into an output buffer that starts as `previous` (the earlier stage's output).
std::vector<std::int16_t> run(SurroundEngine& engine, const std::vector<std::int16_t>& in,
                              std::vector<std::int16_t> previous) {
    engine.process(in.size(), in.data(), previous.data());
    return previous;
}

std::vector<std::int16_t> run(SurroundEngine& engine, const std::vector<std::int16_t>& in) {
    return run(engine, in, std::vector<std::int16_t>(in.size(), 0));
}

int firstNonZero(const std::vector<std::int16_t>& out, int channel) {
    for (std::size_t f = 0; f < out.size() / 2; ++f) {
        if (out[2 * f + channel] != 0) return static_cast<int>(f);
    }
    return -1;
}

TEST(SurroundEngine, ResetStartsAtRockPopWithTheRoomCoefficients) {
    SurroundEngine fresh;
    fresh.reset();
    EXPECT_EQ(fresh.settingsFlags(), static_cast<std::int32_t>(FlagRockPop));
    EXPECT_EQ(fresh.steering().detectorCoef, 0.0625f);
    EXPECT_EQ(fresh.steering().detectorKeep, 0.9375f);
    EXPECT_EQ(fresh.firLeftLine().position, 0);
}

struct LookAheadCase {
    const char* name;
    int channel;        // where the impulse goes
    int expectedFrame;  // first output frame on that channel
};

class LookAhead : public ::testing::TestWithParam<LookAheadCase> {};

// The steered signal is the input 220 frames late; while the all-pass coefficient is 0 the right
// side's all-passes are pure one-frame delays.
TEST_P(LookAhead, ImpulseComesOutOfTheRoomBranchAfterTheDelay) {
    const LookAheadCase& p = GetParam();
    auto engine = makeEngine(neutral);
    std::vector<std::int16_t> in(2 * 600, 0);
    in[p.channel] = 10000;
    const auto out = run(*engine, in);
    EXPECT_EQ(firstNonZero(out, p.channel), p.expectedFrame);
    EXPECT_EQ(engine->steering().allpassCoef.current, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Engine, LookAhead,
                         ::testing::Values(LookAheadCase{"left", 0, 220}, LookAheadCase{"right", 1, 221}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SurroundEngine, First220FramesComeFromTheZeroedHistory) {
    auto engine = makeEngine(neutral);
    const Programme music = demoProgramme(2000);
    const auto out = run(*engine, music);
    for (int f = 0; f < 220; ++f) {
        ASSERT_EQ(out[2 * f], 0) << f;
        ASSERT_EQ(out[2 * f + 1], 0) << f;
    }
    EXPECT_EQ(firstNonZero(out, 0), 220 + firstNonZero(music, 0));
}

TEST(SurroundEngine, SilenceGivesSilenceInTheRoomBranch) {
    auto engine = makeEngine(neutral | FlagQualityMax);
    const auto out = run(*engine, std::vector<std::int16_t>(2 * 20000, 0), std::vector<std::int16_t>(2 * 20000, 777));
    for (std::int16_t s : out) ASSERT_EQ(s, 0);
}

TEST(SurroundEngine, VirtualiserBranchWithoutPresetBitOutputsZeros) {
    auto engine = makeEngine(FlagQualityMax);
    const Programme music = demoProgramme(8000);
    const auto out = run(*engine, music, std::vector<std::int16_t>(music.size(), -1234));
    for (std::int16_t s : out) ASSERT_EQ(s, 0);
    EXPECT_EQ(engine->firLeftLine().position, 0);  // no filter ran
}

// With silent input the ear outputs are 0, so what remains is the earlier stage's share.
TEST(SurroundEngine, VirtualiserBranchAddsHalfTheEarlierOutputExceptForClassic) {
    struct Case {
        std::uint32_t word;
        std::int16_t previous, expected;
    };
    const Case cases[] = {
        {FlagRockPop | FlagQualityMax, -3, -1},  // halving truncates toward zero
        {FlagRockPop | FlagQualityMid, 3, 1},       {FlagJazz | FlagQualityMid, -32768, -16384},
        {FlagMovie | FlagQualityMax, 32767, 16383}, {FlagClassic | FlagQualityMax, 5000, 0},
        {FlagClassic | FlagQualityMid, -5000, 0},
    };
    for (const Case& c : cases) {
        auto engine = makeEngine(c.word);
        const auto out =
            run(*engine, std::vector<std::int16_t>(2 * 300, 0), std::vector<std::int16_t>(2 * 300, c.previous));
        for (std::int16_t s : out) ASSERT_EQ(s, c.expected) << c.word;
    }
}

TEST(SurroundEngine, ShortAndOddSampleCountsProcessWholeFramesOnly) {
    for (std::size_t samples : {0u, 1u, 7u}) {
        auto engine = makeEngine(neutral);
        std::vector<std::int16_t> in(8, 1000);
        std::vector<std::int16_t> out(8, 555);
        engine->process(samples, in.data(), out.data());
        for (std::size_t i = samples & ~std::size_t{1}; i < out.size(); ++i) EXPECT_EQ(out[i], 555) << samples;
        for (std::size_t i = 0; i < (samples & ~std::size_t{1}); ++i)
            EXPECT_EQ(out[i], 0) << samples;  // history is zero
    }
}

TEST(SurroundEngine, CentredToneComesOutAsTheCentreWithSmallResiduals) {
    auto engine = makeEngine(neutral);
    std::vector<std::int16_t> in(2 * 44100);
    for (std::size_t f = 0; f < in.size() / 2; ++f) {
        in[2 * f] = in[2 * f + 1] = static_cast<std::int16_t>(8000.0 * std::sin(2.0 * M_PI * 440.0 * f / 44100.0));
    }
    const auto out = run(*engine, in);
    ASSERT_GE(engine->steering().gainCentre.current, 0.99f);
    // Over the last half second: the output is the input 220 frames late, scaled by
    // 0.71 * 0.71 * 2 = 1.0082 from the centre, plus residuals of about 1 % of the input.
    double error = 0.0, energy = 0.0;
    for (std::size_t f = in.size() / 2 - 22050; f < in.size() / 2; ++f) {
        const double expected = 1.0082 * in[2 * (f - 220)];
        error += (out[2 * f] - expected) * (out[2 * f] - expected);
        energy += expected * expected;
    }
    EXPECT_LT(std::sqrt(error / energy), 0.02);
}

TEST(SurroundEngine, ShorterRearSetKeepsTheFilterPositions) {
    auto engine = makeEngine(FlagRockPop | FlagQualityMax);
    const Programme music = demoProgramme(4096 + 37);
    run(*engine, music);
    const int before = engine->firLeftLine().position;
    ASSERT_GT(before, 71);
    engine->setFlags(FlagClassic | FlagQualityMid);  // 56 taps
    const std::vector<std::int16_t> oneFrame = {100, 100};
    run(*engine, oneFrame);
    EXPECT_EQ(engine->firLeftLine().position, before - 1);
}

}  // namespace
}  // namespace tevaro::dsp

namespace tevaro::dsp {
namespace {

// Frame-by-frame calls (which filter one frame at a time) give the same output as whole buffers
// (which filter blocks of frames side by side), for every branch and rear set.
TEST(SurroundEngine, OneFrameCallsMatchWholeBuffers) {
    const Programme music = steeringWorkout(3000);
    for (std::uint32_t word : {FlagRockPop | FlagQualityMax, FlagClassic | FlagQualityMid, FlagJazz | FlagQualityMax,
                               FlagMovie | FlagQualityMid, std::uint32_t{FlagNeutral}}) {
        auto whole = makeEngine(word);
        auto single = makeEngine(word);
        std::vector<std::int16_t> previous(music.size());
        for (std::size_t i = 0; i < previous.size(); ++i) previous[i] = static_cast<std::int16_t>(i * 37 % 2001 - 1000);
        const auto expected = run(*whole, music, previous);
        std::vector<std::int16_t> out = previous;
        for (std::size_t i = 0; i + 1 < music.size(); i += 2) single->process(2, music.data() + i, out.data() + i);
        EXPECT_EQ(out, expected) << word;
    }
}

}  // namespace
}  // namespace tevaro::dsp
