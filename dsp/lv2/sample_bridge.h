#pragma once
// The player hands the DSP 16-bit samples; a live host hands floats of full scale ±1. Converting
// at exactly 32768 steps per unit makes a 16-bit source, read as floats, come back to the same
// integers, so the chain sees what it sees in the player, bit for bit.
#include <cstddef>
#include <cstdint>

namespace tevaro::dsp {

// Rounds half to even, as lrintf does, clips to the 16-bit range; NaN is silence. The rounding
// adds and takes away 1.5 × 2^23, which leaves a float in the 16-bit range an integer: plain
// arithmetic that vector code repeats exactly.
inline std::int16_t sample16FromFloat(float x) {
    float s = x * 32768.0f;
    s = s == s ? s : 0.0f;
    s = s < -32768.0f ? -32768.0f : s;
    s = s > 32767.0f ? 32767.0f : s;
    s = (s + 12582912.0f) - 12582912.0f;
    return static_cast<std::int16_t>(static_cast<int>(s));
}

inline float floatFromSample16(std::int16_t v) { return static_cast<float>(v) * (1.0f / 32768.0f); }

// Planar float stereo to interleaved 16-bit frames, and back: the plug-in's whole cost beyond the
// chain, so four frames at a time where the processor has vectors.
void interleave16(const float* left, const float* right, std::int16_t* frames, std::size_t count);
void deinterleave16(const std::int16_t* frames, float* left, float* right, std::size_t count);

}  // namespace tevaro::dsp
