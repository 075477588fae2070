#pragma once
#include <array>
#include <cstdint>

#include "classic_viz/levels/stereo_audio.h"

namespace tevaro::levels {

// What a player hands a visualization each frame, computed from audio: per channel 1024 spectrum
// bytes over 0 .. half the sample rate, from a Hann-windowed 2048-point FFT of the samples ending
// at the frame's time, in decibels mapped to 0..255; and the last 1024 samples as 0..255 bytes
// (128 is silence). Every step is exact IEEE arithmetic in a fixed order, so the native tools and
// the test player under Wine compute the same bytes from the same samples.
class PlayerSpectrum {
public:
    static constexpr int Points = 2048;
    static constexpr int Bins = 1024;
    // Decibels shown across the byte range: 0 is this far below full scale.
    static constexpr double FloorDb = 90.0;

    PlayerSpectrum();

    // Spectrum of `channel` (0 left, 1 right) for the window ending at sample frame `end`.
    void compute(const StereoAudio& audio, int end, int channel, std::uint8_t* out);
    // The samples of `channel` in the Bins frames before `end`.
    static void waveform(const StereoAudio& audio, int end, int channel, std::uint8_t* out);

private:
    std::array<double, Points> window_{};
    std::array<double, Points / 2> cos_{}, sin_{};
    std::array<int, Points> bitReversed_{};
    std::array<double, Points> re_{}, im_{};
};

}  // namespace tevaro::levels
