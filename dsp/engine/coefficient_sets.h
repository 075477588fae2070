#pragma once
// The head-related filter sets of the virtual loudspeakers. Each set holds four filters of
// `slots` taps one after the other: left source to left ear, left source to right ear, right
// source to left ear, right source to right ear. The values come from tools/coefgen.

namespace tevaro::dsp {

struct CoefficientSet {
    int slots;           // taps per filter
    const double* data;  // 4 * slots values
    const double* filter(int k) const { return data + k * slots; }
};

// Rear pairs, used by the surround engine's virtualiser branch for the two surround feeds.
extern const CoefficientSet rearRockPop96, rearRockPop72, rearClassic, rearJazz96, rearJazz72, rearMovie;
// Front pairs, used by the virtualiser stage for the dry left and right input.
extern const CoefficientSet frontRockPop128, frontRockPop96, frontRockPop72, frontClassic, frontJazz128, frontJazz96,
    frontJazz72, frontMovie;

}  // namespace tevaro::dsp
