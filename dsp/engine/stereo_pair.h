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
inline DoublePair pairOf(float left, float right) { return DoublePair{left, right}; }

// Two adjacent float fields (left first) as one pair.
inline FloatPair loadPair(const float* left) {
    FloatPair v;
    std::memcpy(&v, left, sizeof v);
    return v;
}
inline void storePair(float* left, FloatPair v) { std::memcpy(left, &v, sizeof v); }

}  // namespace tevaro::dsp
