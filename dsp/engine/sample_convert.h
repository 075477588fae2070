#pragma once
// Conversions at the edges of the float arithmetic. Formulas are evaluated in double; a value
// is rounded to float exactly where a float field stores it, and float-to-integer conversions
// truncate toward zero before they clamp. Clamping in double first gives the same result as
// truncating first and avoids converting out-of-range values.
#include <cstdint>

namespace tevaro::dsp {

inline float toFloat(double v) { return static_cast<float>(v); }

inline std::int16_t toSample(double v) {
    if (v >= 32767.0) return 32767;
    if (v <= -32768.0) return -32768;
    return static_cast<std::int16_t>(static_cast<int>(v));
}

// The reverberator's range is symmetric: -32767..32767.
inline std::int16_t toSampleSymmetric(double v) {
    if (v >= 32767.0) return 32767;
    if (v <= -32767.0) return -32767;
    return static_cast<std::int16_t>(static_cast<int>(v));
}

}  // namespace tevaro::dsp
