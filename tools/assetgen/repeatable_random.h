#pragma once
// Repeatable randomness for the drawn pictures: the same seed and coordinates always give the same
// number, so every build draws the same files.
#include <cstdint>

namespace tevaro::assetgen {

inline std::uint32_t mix32(std::uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

// A repeatable random number in [0, 1) for a pair of coordinates.
inline double hashed(std::uint32_t seed, int a, int b) {
    const std::uint32_t h =
        mix32(seed ^ mix32(static_cast<std::uint32_t>(a) * 0x9E3779B1u + mix32(static_cast<std::uint32_t>(b))));
    return (h >> 8) * (1.0 / 16777216.0);
}

}  // namespace tevaro::assetgen
