#include "tools/viz-render/player_spectrum.h"

#include <algorithm>
#include <cmath>

namespace tevaro::vizrender {

PlayerSpectrum::PlayerSpectrum()
    : in_(fftw_alloc_real(Points)),
      out_(fftw_alloc_complex(Points / 2 + 1)),
      plan_(fftw_plan_dft_r2c_1d(Points, in_, out_, FFTW_ESTIMATE)) {
    for (int i = 0; i < Points; ++i)
        window_[static_cast<std::size_t>(i)] = 0.5 - 0.5 * std::cos(2.0 * 3.14159265358979323846 * i / (Points - 1));
}

PlayerSpectrum::~PlayerSpectrum() {
    fftw_destroy_plan(plan_);
    fftw_free(out_);
    fftw_free(in_);
}

void PlayerSpectrum::compute(const StereoAudio& audio, int end, int channel, std::uint8_t* out) {
    const int start = end - Points;
    for (int i = 0; i < Points; ++i) {
        const int frame = start + i;
        const double v =
            (frame >= 0 && frame < audio.frames()) ? audio.samples[static_cast<std::size_t>(2 * frame + channel)] : 0.0;
        in_[i] = v * window_[static_cast<std::size_t>(i)];
    }
    fftw_execute(plan_);
    // A full-scale sine peaks at N/4 through the Hann window; that is 0 dB.
    const double reference = Points / 4.0;
    for (int k = 0; k < Bins; ++k) {
        const double re = out_[k][0], im = out_[k][1];
        const double magnitude = std::sqrt(re * re + im * im) / reference;
        const double db = 20.0 * std::log10(std::max(magnitude, 1e-9));
        const double scaled = (db + FloorDb) * 255.0 / FloorDb;
        out[k] = static_cast<std::uint8_t>(std::clamp(scaled, 0.0, 255.0));
    }
}

}  // namespace tevaro::vizrender
