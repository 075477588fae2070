#include "dsp/engine/steering_tables.h"

#include <cmath>
#include <numbers>

namespace tevaro::dsp {
namespace {

std::array<std::uint8_t, 91> makeAngleTable() {
    std::array<std::uint8_t, 91> table{};
    for (int k = 0; k < 91; ++k) {
        const double r = std::pow(10.0, k / 40.0);
        const double degrees = std::atan((r - 1.0) / (r + 1.0)) * 180.0 / std::numbers::pi;
        table[k] = static_cast<std::uint8_t>(std::lround(degrees));
    }
    return table;
}

std::array<std::uint8_t, 32> makeLogTable() {
    std::array<std::uint8_t, 32> table{};
    for (int m = 0; m < 32; ++m) {
        table[m] = static_cast<std::uint8_t>(std::lround(12.0 * std::log2(1.0 + m / 32.0)));
    }
    return table;
}

}  // namespace

const std::array<std::uint8_t, 91> AngleTable = makeAngleTable();
const std::array<std::uint8_t, 32> LogTable = makeLogTable();
const std::array<std::uint8_t, 34> LimitTable = {22, 20, 18, 17, 16, 15, 14, 13, 12, 11, 10, 10, 9, 9, 8, 8, 8,
                                                 7,  7,  7,  6,  6,  5,  5,  4,  4,  4,  4,  4,  3, 3, 3, 3, 3};
const std::array<std::uint8_t, 25> AllpassTable = {0,   20,  40,  60,  80,  100, 120, 140, 160, 180, 200, 220, 235,
                                                   240, 245, 250, 253, 255, 255, 255, 255, 255, 255, 255, 255};

}  // namespace tevaro::dsp
