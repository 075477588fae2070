#include "dsp/engine/room_reverb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

std::unique_ptr<RoomReverb> makeReverb() {
    auto reverb = std::make_unique<RoomReverb>();
    reverb->initialise();
    return reverb;
}

// Runs interleaved stereo through the reverberator in one call.
std::vector<std::int16_t> run(RoomReverb& reverb, const std::vector<std::int16_t>& in) {
    std::vector<std::int16_t> out(in.size());
    reverb.process(in.size(), in.data(), out.data());
    return out;
}

TEST(RoomReverb, TapDistancesAreTheRoomsSegments) {
    const std::uint16_t expected[57] = {
        0,     8138,  1739,  660,   7138,  8018,  10824, 9190,  15276, 16156, 16276, 16591, 17109, 17382, 17816,
        23766, 29716, 34812, 41896, 47846, 18719, 25362, 31711, 35631, 43478, 50842, 18894, 20168, 21008, 22023,
        23024, 24221, 25292, 26370, 28078, 29597, 30143, 31613, 32936, 34189, 35281, 35897, 37696, 38781, 40174,
        41420, 42155, 43401, 44605, 45914, 47104, 48105, 49267, 50562, 51801, 52830, 53796};
    const auto reverb = makeReverb();
    for (int k = 0; k < 57; ++k) EXPECT_EQ(reverb->tapDistance(k), expected[k]) << "tap " << k;
    EXPECT_EQ(reverb->tapPosition(2), 1739);
    EXPECT_EQ(reverb->tapPosition(6), 10824);
    EXPECT_EQ(reverb->tapPosition(7), 9190);
    EXPECT_EQ(reverb->tapPosition(10), 16276);
    // The ring closes on itself: 35980 frames from tap 14 back to tap 14.
    EXPECT_EQ(reverb->tapDistance(56) - reverb->tapDistance(14), 35980);
}

TEST(RoomReverb, LeftImpulseReachesRightAfter1115AndLeftAfter1914Frames) {
    auto reverb = makeReverb();
    std::vector<std::int16_t> in(2 * 2000, 0);
    in[0] = 10000;
    const auto out = run(*reverb, in);
    EXPECT_EQ(out[0], 9000);
    EXPECT_EQ(out[1], 0);
    int firstLeft = -1, firstRight = -1;
    for (int f = 1; f < 2000; ++f) {
        if (firstLeft < 0 && out[2 * f] != 0) firstLeft = f;
        if (firstRight < 0 && out[2 * f + 1] != 0) firstRight = f;
    }
    EXPECT_EQ(firstRight, 1115);
    EXPECT_EQ(firstLeft, 1914);

    // The first wet samples, worked out by hand with the float values of the coefficients. The
    // input gain (the float 0.69999999) scales the impulse to trunc(6999.9999) = 6999; the first
    // input all-pass makes t = -0.625 * 6999 = -4374.375 and the second v = -0.5625 t = 2460.586,
    // which tap 0 writes.
    // Right, frame 1115: tap 3 reads v 660 frames later. Left stage 2 takes s = 0.7 v = 1722.410,
    // t = -0.4 s = -688.964 and writes 0.4 t + s = 1446.825 through tap 15; tap 31 reads it 455
    // frames later. yR = 0.5 * 1446.825 = 723.412, smoothed 0.26 yR = 188.087, out
    // trunc(0.1 * 188.087) = 18; a frame later the smoothing holds 0.74 * 188.087 = 139.185: 13.
    // Left, frame 1914: tap 2 reads v 1739 frames later. Left stage 1 takes s = 1722.410, low-pass
    // 0.4 s = 688.964, t = -0.4 * 688.964 = -275.586, written through tap 20; tap 26 reads it 175
    // frames later. yL = 0.5 t = -137.793, smoothed -35.826, out trunc(-3.583) = -3. A frame
    // later the low-pass still holds 0.6 * 688.964 = 413.378, so t = -165.351 follows through tap
    // 26: yL = -82.676, smoothed 0.26 yL + 0.74 * -35.826 = -48.007, out -4.
    EXPECT_EQ(out[2 * 1115 + 1], 18);
    EXPECT_EQ(out[2 * 1116 + 1], 13);
    EXPECT_EQ(out[2 * 1914], -3);
    EXPECT_EQ(out[2 * 1915], -4);
}

TEST(RoomReverb, StateCarriesAcrossBufferBoundaries) {
    auto whole = makeReverb();
    auto pieces = makeReverb();
    std::vector<std::int16_t> in(2 * 5000);
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::int16_t>((i * 7919) % 20000 - 10000);
    const auto expected = run(*whole, in);
    std::vector<std::int16_t> out(in.size());
    const std::size_t frameCounts[] = {1, 2, 31, 64, 79, 95, 511};  // awkward sizes, in turn
    for (std::size_t at = 0, turn = 0; at < in.size(); ++turn) {
        const std::size_t samples = std::min(2 * frameCounts[turn % std::size(frameCounts)], in.size() - at);
        pieces->process(samples, in.data() + at, out.data() + at);
        at += samples;
    }
    EXPECT_EQ(out, expected);
}

TEST(RoomReverb, FullScaleNegativeInputStopsAtMinus32767) {
    auto reverb = makeReverb();
    reverb->configure(FlagRockPop | FlagQualityMax);  // the larger wet level
    std::vector<std::int16_t> in(2 * 60000, -32768);
    const auto out = run(*reverb, in);
    std::int16_t lowest = 0;
    for (std::int16_t s : out) lowest = std::min(lowest, s);
    EXPECT_EQ(lowest, -32767);
}

TEST(RoomReverb, SilenceAfterATailDecaysToZero) {
    auto reverb = makeReverb();
    std::vector<std::int16_t> burst(2 * 4000);
    for (std::size_t i = 0; i < burst.size(); ++i) burst[i] = static_cast<std::int16_t>(i % 2 ? 12000 : -12000);
    run(*reverb, burst);
    const auto tail = run(*reverb, std::vector<std::int16_t>(2 * 400000, 0));
    for (std::size_t i = tail.size() - 2 * 1000; i < tail.size(); ++i) ASSERT_EQ(tail[i], 0) << i;
}

TEST(RoomReverb, RockPopAtMaxRaisesWetAndFeedbackWithoutTouchingMemory) {
    struct Case {
        std::uint32_t word;
        float wet, feedback;
    };
    const Case cases[] = {
        {FlagRockPop | FlagQualityMax, 0.15f, 0.625f},
        {FlagRockPop | FlagQualityMid, 0.1f, 0.546875f},
        {FlagJazz | FlagQualityMax, 0.1f, 0.546875f},
        {FlagNeutral | FlagQualityMax, 0.1f, 0.546875f},
    };
    auto reverb = makeReverb();
    EXPECT_EQ(reverb->wetLevel(), 0.1f);
    EXPECT_EQ(reverb->feedbackGain(), 0.546875f);
    std::vector<std::int16_t> in(2 * 3000);
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::int16_t>((i * 31) % 9000);
    run(*reverb, in);
    std::vector<float> before(reverb->memoryData(), reverb->memoryData() + RoomReverb::memorySlots);
    for (const Case& c : cases) {
        reverb->configure(c.word);
        EXPECT_EQ(reverb->wetLevel(), c.wet) << c.word;
        EXPECT_EQ(reverb->feedbackGain(), c.feedback) << c.word;
        EXPECT_EQ(std::memcmp(before.data(), reverb->memoryData(), before.size() * sizeof(float)), 0);
        EXPECT_EQ(reverb->tapDistance(2), 1739);  // taps stay where initialisation put them
    }
}

}  // namespace
}  // namespace tevaro::dsp
