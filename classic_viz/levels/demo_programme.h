#pragma once
#include "classic_viz/levels/stereo_audio.h"

namespace tevaro::levels {

// A short, deterministic, music-like piece: drums, bass, chords and a bright arpeggio over four
// bars, a two-beat break of near silence, and four more bars (about 11 s at 44.1 kHz).
StereoAudio demoProgramme();

}  // namespace tevaro::levels
