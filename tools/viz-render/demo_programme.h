#pragma once
#include <vector>

namespace tevaro::vizrender {

// Interleaved stereo at `rate`, values in -1..1.
struct StereoAudio {
    int rate = 44100;
    std::vector<float> samples;
    int frames() const { return static_cast<int>(samples.size() / 2); }
};

// A short, deterministic, music-like piece: drums, bass, chords and a bright arpeggio over four
// bars, a two-beat break of near silence, and four more bars (about 11 s at 44.1 kHz).
StereoAudio demoProgramme();

}  // namespace tevaro::vizrender
