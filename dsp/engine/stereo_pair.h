#pragma once
// Left and right computed side by side: two lanes of the same IEEE double operations, each
// rounded to float where a float field stores it. Every lane runs exactly the scalar sequence,
// so results are bit-identical to computing each side on its own; it only halves the work.
#include <cstring>

namespace tevaro::dsp {

using FloatPair = float __attribute__((vector_size(8)));
using DoublePair = double __attribute__((vector_size(16)));

inline DoublePair widen(FloatPair v) { return __builtin_convertvector(v, DoublePair); }
inline FloatPair toFloatPair(DoublePair v) { return __builtin_convertvector(v, FloatPair); }
inline DoublePair both(double v) { return DoublePair{v, v}; }
// What a float field would store, kept in double: no conversion when it is read again.
inline DoublePair roundToFloat(DoublePair v) { return widen(toFloatPair(v)); }
inline DoublePair lowBoth(DoublePair v) { return __builtin_shufflevector(v, v, 0, 0); }
inline DoublePair highBoth(DoublePair v) { return __builtin_shufflevector(v, v, 1, 1); }
inline DoublePair swapLanes(DoublePair v) { return __builtin_shufflevector(v, v, 1, 0); }
// The first lane of a, the second of b.
inline DoublePair lowHigh(DoublePair a, DoublePair b) { return __builtin_shufflevector(a, b, 0, 3); }
inline DoublePair pairOf(float left, float right) { return DoublePair{left, right}; }

// Two adjacent float fields (left first) as one pair.
inline FloatPair loadPair(const float* left) {
    FloatPair v;
    std::memcpy(&v, left, sizeof v);
    return v;
}
inline void storePair(float* left, FloatPair v) { std::memcpy(left, &v, sizeof v); }

// A pair in memory, widened. GCC 12 widens a two-float load with two scalar conversions; taken
// as the low half of a four-float vector it is one load and one conversion (the values are
// the same either way: widening is exact).
inline DoublePair loadWidened(const FloatPair* pair) {
    using FloatQuad = float __attribute__((vector_size(16)));
    using DoubleQuad = double __attribute__((vector_size(32)));
    double bits;
    std::memcpy(&bits, pair, sizeof bits);
    const DoubleQuad quad = __builtin_convertvector((FloatQuad)DoublePair{bits, 0.0}, DoubleQuad);
    return __builtin_shufflevector(quad, quad, 0, 1);
}

}  // namespace tevaro::dsp
