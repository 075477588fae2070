#pragma once
#include <cstdint>

namespace tevaro::viz {

// The effects' one source of randomness: a linear congruential generator that is never seeded.
// Each deliverable owns exactly one, starting at state 1 when the module loads, so the same sequence
// of random layouts recurs every time the module is loaded. Callers take low bits through masks of
// the form 2^k - 1.
class RandomSource {
public:
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    int masked(int mask) { return next() & mask; }
    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 1;
};

}  // namespace tevaro::viz
