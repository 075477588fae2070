#include "classic_viz/levels/player_spectrum.h"

#include <algorithm>

#include "classic_viz/levels/exact_math.h"

namespace tevaro::levels {

namespace {

constexpr int Log2Points = 11;
static_assert(1 << Log2Points == PlayerSpectrum::Points);

double sampleAt(const StereoAudio& audio, int frame, int channel) {
    if (frame < 0 || frame >= audio.frames()) return 0.0;
    return audio.samples[static_cast<std::size_t>(2 * frame + channel)];
}

}  // namespace

PlayerSpectrum::PlayerSpectrum() {
    for (int i = 0; i < Points; ++i) window_[static_cast<std::size_t>(i)] = 0.5 - 0.5 * exactCosTurn(i, Points);
    for (int k = 0; k < Points / 2; ++k) {
        cos_[static_cast<std::size_t>(k)] = exactCosTurn(k, Points);
        sin_[static_cast<std::size_t>(k)] = exactSinTurn(k, Points);
    }
    for (int i = 0; i < Points; ++i) {
        int r = 0;
        for (int b = 0; b < Log2Points; ++b) r |= ((i >> b) & 1) << (Log2Points - 1 - b);
        bitReversed_[static_cast<std::size_t>(i)] = r;
    }
}

void PlayerSpectrum::compute(const StereoAudio& audio, int end, int channel, std::uint8_t* out) {
    const int start = end - Points;
    for (int i = 0; i < Points; ++i) {
        const auto j = static_cast<std::size_t>(bitReversed_[static_cast<std::size_t>(i)]);
        re_[j] = sampleAt(audio, start + i, channel) * window_[static_cast<std::size_t>(i)];
        im_[j] = 0.0;
    }
    // Iterative radix-2 decimation in time; butterfly order and twiddles are fixed.
    for (int size = 2; size <= Points; size *= 2) {
        const int half = size / 2, step = Points / size;
        for (int base = 0; base < Points; base += size) {
            for (int k = 0; k < half; ++k) {
                const auto t = static_cast<std::size_t>(k * step);
                const auto a = static_cast<std::size_t>(base + k), b = a + static_cast<std::size_t>(half);
                const double wr = cos_[t], wi = -sin_[t];
                const double xr = re_[b] * wr - im_[b] * wi, xi = re_[b] * wi + im_[b] * wr;
                re_[b] = re_[a] - xr;
                im_[b] = im_[a] - xi;
                re_[a] += xr;
                im_[a] += xi;
            }
        }
    }
    // A full-scale sine peaks at N/4 through the Hann window; that is 0 dB.
    constexpr double Reference = Points / 4.0;
    constexpr double Ln10 = 2.30258509299404568402;
    constexpr double Quietest = 1e-9;  // power ratio of FloorDb: everything below shows as 0
    for (int k = 0; k < Bins; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double power = (re_[i] * re_[i] + im_[i] * im_[i]) / (Reference * Reference);
        if (power <= Quietest) {
            out[k] = 0;
            continue;
        }
        const double db = 10.0 * exactLog(power) / Ln10;
        const double scaled = (db + FloorDb) * 255.0 / FloorDb;
        out[k] = static_cast<std::uint8_t>(std::clamp(scaled, 0.0, 255.0));
    }
}

void PlayerSpectrum::waveform(const StereoAudio& audio, int end, int channel, std::uint8_t* out) {
    for (int i = 0; i < Bins; ++i) {
        const double v = sampleAt(audio, end - Bins + i, channel);
        out[i] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(v * 128.0) + 128, 0, 255));
    }
}

}  // namespace tevaro::levels
