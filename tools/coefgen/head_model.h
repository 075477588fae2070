#pragma once
// A structural model of the head-related impulse response of one loudspeaker at one ear:
// band-limited arrivals through a spherical-head shadow filter, pinna echoes, a torso
// reflection and a few early room reflections. All delays in samples at 44.1 kHz.
#include <vector>

namespace coefgen {

constexpr double sampleRate = 44100.0;

// One arrival at the ear: a band-limited impulse `gain` at fractional `delay`, filtered by the
// spherical head's shadow shelf. alpha > 1 lifts the highs (the ear facing the source), alpha < 1
// shadows them (the far ear); alpha 1 is flat.
struct Arrival {
    double delay;
    double gain;
    double alpha;
};

// Adds the arrival to `response`.
void addArrival(std::vector<double>& response, const Arrival& arrival);

// Shadow shelf for a source at `incidenceDeg` from the ear's axis (0: facing the ear).
double shadowAlpha(double incidenceDeg);

struct PinnaEcho {
    double delay;  // after the arrival it belongs to
    double gain;   // relative to that arrival
};
// Five pinna echoes for a source at `azimuthDeg` seen from the ear, in the horizontal plane.
// Their gains sum to 0, so the pinna leaves the low frequencies untouched.
std::vector<PinnaEcho> pinnaEchoes(double azimuthDeg);

// Multiplies the last `fadeTaps` taps by a half-Hann fade that reaches 0 on the last tap.
void fadeOut(std::vector<double>& response, int fadeTaps);

}  // namespace coefgen
