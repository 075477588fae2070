#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include <fftw3.h>

#include "tools/viz-render/demo_programme.h"

namespace tevaro::vizrender {

// The player's per-frame spectrum: for each channel, 1024 bytes over 0 .. half the sample rate,
// from a Hann-windowed 2048-point FFT ending at the frame's time, in decibels mapped to 0..255.
class PlayerSpectrum {
public:
    static constexpr int Points = 2048;
    static constexpr int Bins = 1024;

    PlayerSpectrum();
    ~PlayerSpectrum();
    PlayerSpectrum(const PlayerSpectrum&) = delete;
    PlayerSpectrum& operator=(const PlayerSpectrum&) = delete;

    // Spectrum of `channel` (0 left, 1 right) for the window ending at sample frame `end`.
    void compute(const StereoAudio& audio, int end, int channel, std::uint8_t* out);

    // Decibels shown across the byte range: 0 is this far below full scale.
    static constexpr double FloorDb = 90.0;

private:
    double* in_;
    fftw_complex* out_;
    fftw_plan plan_;
    std::array<double, Points> window_{};
};

}  // namespace tevaro::vizrender
