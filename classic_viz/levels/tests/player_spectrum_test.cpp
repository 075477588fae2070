#include "classic_viz/levels/player_spectrum.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "classic_viz/levels/exact_math.h"

namespace tevaro::levels {
namespace {

constexpr double Pi = 3.14159265358979323846;

TEST(ExactMath, CosSinAndLogAgreeWithTheLibraryToTheLastBitsEverywhere) {
    for (int n : {8, 2048}) {
        for (int k = 0; k < n; k += n == 8 ? 1 : 7) {
            SCOPED_TRACE(testing::Message() << k << "/" << n);
            EXPECT_NEAR(exactCosTurn(k, n), std::cos(2.0 * Pi * k / n), 1e-15);
            EXPECT_NEAR(exactSinTurn(k, n), std::sin(2.0 * Pi * k / n), 1e-15);
            // Whole turns are reduced exactly, in both directions.
            EXPECT_EQ(exactCosTurn(k + n, n), exactCosTurn(k, n));
            EXPECT_EQ(exactSinTurn(k - n, n), exactSinTurn(k, n));
        }
    }
    for (double x : {1e-12, 0.001, 0.5, 0.7071, 0.70711, 1.0, 1.5, 2.0, 10.0, 12345.678, 1e9}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(exactLog(x), std::log(x), 1e-15 * std::max(1.0, std::fabs(std::log(x))));
    }
    EXPECT_EQ(exactLog(1.0), 0.0);
    EXPECT_EQ(exactCosTurn(0, 2048), 1.0);
}

StereoAudio sine(double bin, double amplitude, int frames, int rate = 44100) {
    StereoAudio a;
    a.rate = rate;
    a.samples.resize(static_cast<std::size_t>(2 * frames));
    for (int f = 0; f < frames; ++f) {
        const double v = amplitude * std::sin(2.0 * Pi * bin * f / PlayerSpectrum::Points);
        a.samples[static_cast<std::size_t>(2 * f)] = static_cast<float>(v);
        a.samples[static_cast<std::size_t>(2 * f + 1)] = static_cast<float>(v / 32);  // 30 dB quieter
    }
    return a;
}

TEST(PlayerSpectrum, ASineOnABinShowsItsLevelInDecibelsThere) {
    PlayerSpectrum spectrum;
    const StereoAudio audio = sine(100, 1.0, 4096);
    std::array<std::uint8_t, PlayerSpectrum::Bins> left{}, right{};
    spectrum.compute(audio, 4096, 0, left.data());
    spectrum.compute(audio, 4096, 1, right.data());
    EXPECT_GE(left[100], 254) << "full scale is 0 dB, the top of the range";
    // -30.1 dB: (90 - 30.1) * 255 / 90 = 169.7
    EXPECT_EQ(right[100], 169);
    // The Hann window's main lobe is two bins wide each side; far away only leakage remains.
    EXPECT_GT(left[99], 200);
    EXPECT_LT(left[300], 40);
    EXPECT_LT(left[10], 40);
}

TEST(PlayerSpectrum, SilenceAndTheTimeBeforeTheStartAreZero) {
    PlayerSpectrum spectrum;
    StereoAudio quiet;
    quiet.samples.assign(2 * 4096, 0.0f);
    std::array<std::uint8_t, PlayerSpectrum::Bins> bins;
    bins.fill(77);
    spectrum.compute(quiet, 4096, 0, bins.data());
    for (int k = 0; k < PlayerSpectrum::Bins; ++k) ASSERT_EQ(bins[static_cast<std::size_t>(k)], 0) << k;
    const StereoAudio loud = sine(50, 1.0, 4096);
    bins.fill(77);
    spectrum.compute(loud, 0, 0, bins.data());  // the window ends where the audio starts
    for (int k = 0; k < PlayerSpectrum::Bins; ++k) ASSERT_EQ(bins[static_cast<std::size_t>(k)], 0) << k;
}

TEST(PlayerSpectrum, WaveformBytesAreTheSamplesAroundOneHundredTwentyEight) {
    StereoAudio a;
    const std::vector<float> left = {0.0f, -1.0f, 0.5f, 1.0f, -0.25f};
    for (float v : left) {
        a.samples.push_back(v);
        a.samples.push_back(-v);
    }
    std::array<std::uint8_t, PlayerSpectrum::Bins> out{};
    PlayerSpectrum::waveform(a, 5, 0, out.data());
    const std::uint8_t expected[] = {128, 0, 192, 255, 96};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(out[static_cast<std::size_t>(PlayerSpectrum::Bins - 5 + i)], expected[i]) << i;
    EXPECT_EQ(out[0], 128) << "before the audio: silence";
    PlayerSpectrum::waveform(a, 5, 1, out.data());
    EXPECT_EQ(out[PlayerSpectrum::Bins - 2], 0) << "the right channel is the left one inverted";
}

}  // namespace
}  // namespace tevaro::levels
