#pragma once
// The player's side of a visualization frame: levels from audio at the frame's time, handed to
// Render with the target's DC and rectangle.
#include <windows.h>

#include "classic_viz/levels/player_spectrum.h"
#include "classic_viz/levels/stereo_audio.h"
#include "com_support/wmp_effects.h"

namespace host_sim {

class EffectPlayer {
public:
    EffectPlayer(const tevaro::levels::StereoAudio& audio, int fps) : audio_(audio), fps_(fps) {}
    // The levels of frame `frame`: both channels' spectrum and waveform, playing, time-stamped.
    void levelsAt(int frame, TimedLevel& levels);
    // Frames the audio lasts at this rate.
    int framesAvailable() const;

private:
    const tevaro::levels::StereoAudio& audio_;
    int fps_;
    tevaro::levels::PlayerSpectrum spectrum_;
};

// A 16-bit PCM WAV as float samples (value / 32768, as libsndfile reads it); mono is doubled.
bool readAudio(const char* path, tevaro::levels::StereoAudio& audio);

}  // namespace host_sim
