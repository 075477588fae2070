#include "dsp/engine/steering_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "dsp/engine/steering_tables.h"

namespace tevaro::dsp {
namespace {

TEST(SteeringTables, AngleTableStartsAsListedAndSaturatesAt45) {
    const int start[] = {0, 2, 3, 5, 7, 8, 10, 11, 13, 14, 16, 17, 18, 20};
    for (int k = 0; k < 14; ++k) EXPECT_EQ(AngleTable[k], start[k]) << "k " << k;
    for (int k = 1; k < 91; ++k) EXPECT_GE(AngleTable[k], AngleTable[k - 1]) << "k " << k;
    EXPECT_EQ(AngleTable[82], 44);
    for (int k = 83; k < 91; ++k) EXPECT_EQ(AngleTable[k], 45) << "k " << k;
}

TEST(SteeringTables, LogTableHoldsTheListedValues) {
    const std::uint8_t listed[32] = {0, 1, 1, 2, 2, 3, 3, 3, 4,  4,  5,  5,  6,  6,  6,  7,
                                     7, 7, 8, 8, 8, 9, 9, 9, 10, 10, 10, 11, 11, 11, 11, 12};
    for (int m = 0; m < 32; ++m) EXPECT_EQ(LogTable[m], listed[m]) << "m " << m;
}

TEST(SteeringTables, LimitAndAllpassTablesHoldTheListedValues) {
    const std::uint8_t limit[34] = {22, 20, 18, 17, 16, 15, 14, 13, 12, 11, 10, 10, 9, 9, 8, 8, 8,
                                    7,  7,  7,  6,  6,  5,  5,  4,  4,  4,  4,  4,  3, 3, 3, 3, 3};
    const std::uint8_t allpass[25] = {0,   20,  40,  60,  80,  100, 120, 140, 160, 180, 200, 220, 235,
                                      240, 245, 250, 253, 255, 255, 255, 255, 255, 255, 255, 255};
    ASSERT_EQ(LimitTable.size(), std::size(limit));
    ASSERT_EQ(AllpassTable.size(), std::size(allpass));
    for (std::size_t i = 0; i < std::size(limit); ++i) EXPECT_EQ(LimitTable[i], limit[i]) << "i " << i;
    for (std::size_t i = 0; i < std::size(allpass); ++i) EXPECT_EQ(AllpassTable[i], allpass[i]) << "i " << i;
}

TEST(SteeringLevel, FollowsTwelveUnitsPerOctaveAndWrapsAt16Bits) {
    struct Case {
        double envelope;
        int level;
    };
    const Case cases[] = {
        {0.0, 26},
        {1.9, 26},                 // anything below 2 is the floor
        {16384.0, 194},            // 12 * 14 + 26
        {32767.0, 206},            // top of the mantissa table
        {32768.0, 26},             // wraps: 0x8000 | 1 shifts down to the floor
        {49152.0, 194},            // 0xC000: bit 14 already set
        {65536.0 + 16384.0, 194},  // only the low 16 bits count
    };
    for (const Case& c : cases) EXPECT_EQ(SteeringController::level(c.envelope), c.level) << c.envelope;
    for (double x = 64.0; x < 32000.0; x *= 1.37) {
        EXPECT_NEAR(SteeringController::level(x), 12.0 * std::log2(x) + 26.0, 1.0) << x;
    }
}

// Runs the controller over a programme, calling `onUpdate` after each 64-frame update.
void run(SteeringController& c, int updates, const std::function<std::pair<float, float>(int)>& signal,
         const std::function<void(int)>& onUpdate = {}) {
    for (int frame = 0; frame < updates * 64; ++frame) {
        const auto [left, right] = signal(frame);
        c.detect(left, right);
        c.tick();
        if (onUpdate && (frame + 1) % 64 == 0) onUpdate((frame + 1) / 64);
    }
}

float tone(int frame) {
    return static_cast<float>(std::trunc(8000.0 * std::sin(2.0 * std::numbers::pi * 440.0 * frame / 44100.0)));
}

std::vector<const GainRamp*> allRamps(const SteeringController& c) {
    return {&c.gainFrontLeft,     &c.gainFrontRight, &c.gainCentre, &c.gainSurroundLeft,
            &c.gainSurroundRight, &c.gainDifference, &c.allpassCoef};
}

TEST(SteeringController, SilenceReadsTheFloorLevelAndKeepsEveryGainAtZero) {
    SteeringController c;
    c.reset();
    run(c, 40, [](int) { return std::pair{0.0f, 0.0f}; });
    EXPECT_EQ(c.levelLeft, 26);
    EXPECT_EQ(c.levelRight, 26);
    EXPECT_EQ(c.levelSum, 26);
    EXPECT_EQ(c.levelDiff, 26);
    EXPECT_EQ(c.balanceLR, 0);
    EXPECT_EQ(c.balanceCS, 0);
    for (const GainRamp* r : allRamps(c)) {
        EXPECT_EQ(r->target, 0.0f);
        EXPECT_EQ(r->current, 0.0f);
    }
}

struct SteadyCase {
    const char* name;
    float leftSign, rightSign;
    GainRamp SteeringController::*gain;  // the one gain that must rise
    float reached;
    int updates;
};

class SteadyProgramme : public ::testing::TestWithParam<SteadyCase> {};

TEST_P(SteadyProgramme, DrivesItsGainAndLeavesTheOthersAtZero) {
    const SteadyCase& p = GetParam();
    SteeringController c;
    c.reset();
    run(c, p.updates, [&](int f) { return std::pair{p.leftSign * tone(f), p.rightSign * tone(f)}; });
    const GainRamp& driven = c.*p.gain;
    EXPECT_GE(driven.current, p.reached);
    for (const GainRamp* r : allRamps(c)) {
        if (r == &driven || (p.gain == &SteeringController::gainDifference && r == &c.allpassCoef)) continue;
        EXPECT_EQ(r->current, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steering, SteadyProgramme,
    ::testing::Values(SteadyCase{"identical", 1, 1, &SteeringController::gainCentre, 0.99f, 20},
                      SteadyCase{"leftOnly", 1, 0, &SteeringController::gainFrontLeft, 0.99f, 20},
                      SteadyCase{"rightOnly", 0, 1, &SteeringController::gainFrontRight, 0.99f, 20},
                      SteadyCase{"oppositePolarity", 1, -1, &SteeringController::gainDifference, 1.0f, 40}),
    [](const auto& info) { return std::string(info.param.name); });

// Worked out by hand for a left-only tone: its balance is 126 (the right side reads the floor
// level) and its sum and difference are equal (0). The update after 64 frames counts the sudden
// move; the one after 128 confirms it, jumps the steering to 126 (angle 45) and sets the left
// front target to 1 with a step of 8/256 per 16 frames. At each later update the step follows the
// distance left, d = 1 - current: 8/256 while 256 d >= 80, then 4, 2, 1 and 0.5/256 below 80, 40,
// 20 and 10. 1 is a multiple of 1/512, so the ramp lands on it after 1152 frames and stops.
TEST(SteeringController, LeftToneRampsTheLeftFrontGainInStepsSetByItsDistance) {
    struct Expected {
        int frames;  // ticks so far
        float current, step256;
    };
    const Expected expected[] = {
        {64, 0.0f, 0.5f},  // target 0 = current: the ramp stands still whatever its step
        {128, 0.0f, 8.0f},    {144, 1.0f / 32, 8.0f}, {192, 4.0f / 32, 8.0f}, {448, 20.0f / 32, 8.0f},
        {512, 0.75f, 4.0f},   {576, 0.8125f, 4.0f},   {640, 0.875f, 2.0f},    {704, 0.90625f, 2.0f},
        {768, 0.9375f, 1.0f}, {832, 0.953125f, 1.0f}, {896, 0.96875f, 0.5f},  {1088, 0.9921875f, 0.5f},
        {1152, 1.0f, 0.5f},   {1280, 1.0f, 0.5f},
    };
    SteeringController c;
    c.reset();
    int frame = 0;
    for (const Expected& e : expected) {
        for (; frame < e.frames; ++frame) {
            c.detect(tone(frame), 0.0f);
            c.tick();
        }
        EXPECT_EQ(c.gainFrontLeft.current, e.current) << "after " << e.frames << " frames";
        EXPECT_EQ(c.gainFrontLeft.step * 256.0f, e.step256) << "after " << e.frames << " frames";
        EXPECT_EQ(c.gainFrontLeft.target, e.frames < 128 ? 0.0f : 1.0f) << "after " << e.frames << " frames";
    }
    EXPECT_EQ(c.balanceLR, 126);
    EXPECT_EQ(c.balanceCS, 0);
    EXPECT_EQ(c.angleLR, 45);
}

TEST(SteeringController, OppositePolaritySettlesTheAllpassAt255Over256) {
    SteeringController c;
    c.reset();
    run(c, 80, [](int f) { return std::pair{tone(f), -tone(f)}; });
    EXPECT_EQ(c.angleCS, -45);
    EXPECT_EQ(c.gainDifference.current, 1.0f);
    EXPECT_EQ(c.allpassCoef.current, 255.0f / 256.0f);
}

TEST(SteeringController, UnreachableTargetOscillatesWithinTwoSteps) {
    SteeringController c;
    c.reset();
    // Slightly louder left: a centre target of 42/45, not a multiple of 1/512.
    const auto signal = [](int f) { return std::pair{tone(f), std::trunc(0.9f * tone(f))}; };
    run(c, 60, signal);
    ASSERT_NE(std::fmod(c.gainCentre.target * 512.0, 1.0), 0.0) << c.gainCentre.target;
    bool moved = false;
    float previous = c.gainCentre.current;
    run(c, 40, signal, [&](int) {
        EXPECT_NE(c.gainCentre.current, c.gainCentre.target);
        EXPECT_LE(std::fabs(c.gainCentre.current - c.gainCentre.target), 2.0 / 256.0);
        moved = moved || c.gainCentre.current != previous;
        previous = c.gainCentre.current;
    });
    EXPECT_TRUE(moved);
}

}  // namespace
}  // namespace tevaro::dsp
