#pragma once
#include <cstdint>

namespace tevaro::viz {

// Nearest-neighbour resampling of one axis with an 8-bit fraction accumulator instead of a division
// per pixel. factor in 1/256 units: below 256 a source pixel is emitted and one more skipped on each
// wrap (step 256 - f); up to 512 each is emitted twice, once on a wrap (step 512 - f); up to 768
// three times, twice on a wrap (step 768 - f); the last source pixel is emitted once in the 2x mode
// and twice in the 3x mode. Larger factors are treated as 768.
//
// Writes the source index of every output pixel into `map` (when not null) and returns the output
// length; `map` needs room for 3 x length entries.
int resampleAxis(int length, int factor, int* map);

}  // namespace tevaro::viz
