#pragma once
// Conversions at the edges of the float arithmetic. Formulas are evaluated in double; a value
// is rounded to float exactly where a float field stores it, and float-to-integer conversions
// truncate toward zero before they clamp. Clamping in double first gives the same result as
// truncating first and avoids converting out-of-range values.
#include <algorithm>
#include <cstdint>

namespace tevaro::dsp {

inline float toFloat(double v) { return static_cast<float>(v); }

// Truncation toward zero and clamping commute here, and clamping first keeps the conversion to
// int defined for any double.
inline std::int16_t toSample(double v) {
    return static_cast<std::int16_t>(static_cast<int>(std::min(std::max(v, -32768.0), 32767.0)));
}

// The reverberator's range is symmetric: -32767..32767.
inline std::int16_t toSampleSymmetric(double v) {
    return static_cast<std::int16_t>(static_cast<int>(std::min(std::max(v, -32767.0), 32767.0)));
}

}  // namespace tevaro::dsp
