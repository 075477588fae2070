#pragma once
// Deterministic synthetic programmes (interleaved 16-bit stereo) for the demo, the golden
// checksums and the loudness measurements. Only additions and multiplications of doubles are
// used (our own sine), so the samples are the same on every machine and compiler.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tevaro::dsp {

using Programme = std::vector<std::int16_t>;

enum class NoiseImage {
    uncorrelated,  // independent pink noise per channel
    centre,        // the same pink noise on both channels
    antiPhase,     // left = x, right = -x
};

// Pink noise (-3 dB per octave) with the given RMS level in dBFS.
Programme pinkNoise(std::size_t frames, NoiseImage image, double rmsDbfs, std::uint32_t seed = 1);

// Music-like programme at 44.1 kHz: a centred voice-like line, a bass left of centre, a plucked
// arpeggio right of centre, hi-hats moving across, and a wide ambience pad; peaks at -1 dBFS.
Programme demoProgramme(std::size_t frames);

// A mix of situations the steering must handle: music, anti-phase noise, a left-only tone,
// silence and full-scale square waves.
Programme steeringWorkout(std::size_t framesPerSection);

// The workout, then what it leaves out, half a section each: a centred tone; a right-only tone as
// loud (a sudden move the steering confirms); uncorrelated noise (both balances near zero while
// the steering still points right); a left tone whose right side is in opposite phase 7.6 dB down
// (15 level units left of centre and 15 toward the surround: the steering's pattern rule); and
// that pattern for one 64-frame update in four.
Programme steeringTour(std::size_t framesPerSection);

}  // namespace tevaro::dsp
