#pragma once
// Constant tables of the steering controller. Level units are 12 per octave (about 0.5 dB).
#include <array>
#include <cstdint>

namespace tevaro::dsp {

// Entry k: steering angle in degrees (0..45) of a level difference of k units,
// round(degrees(atan((r - 1) / (r + 1)))) with r = 10^(k / 40).
extern const std::array<std::uint8_t, 91> AngleTable;
// Entry m: round(12 * log2(1 + m / 32)), the fractional octave of a normalised mantissa.
extern const std::array<std::uint8_t, 32> LogTable;
// How far (in degrees) the other steering axis may stray once one axis dominates by 12 + i units.
extern const std::array<std::uint8_t, 34> LimitTable;
// All-pass coefficient in 1/256 for half the surround angle.
extern const std::array<std::uint8_t, 25> AllpassTable;

}  // namespace tevaro::dsp
