#include "tools/dsp-charts/response_curve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tevaro::charts {
namespace {

TEST(ResponseCurve, LogFrequenciesSpanTheAxisWithEqualRatios) {
    const auto f = logFrequencies(20.0, 20000.0, 4);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_NEAR(f[0], 20.0, 1e-9);
    EXPECT_NEAR(f[1], 200.0, 1e-9);
    EXPECT_NEAR(f[2], 2000.0, 1e-9);
    EXPECT_NEAR(f[3], 20000.0, 1e-6);
}

TEST(ResponseCurve, KnownFiltersGiveTheirTextbookMagnitudes) {
    const double rate = 44100.0;
    const std::vector<double> f = {100.0, rate / 4, rate / 2};
    struct Case {
        std::vector<double> taps;
        double at100, atQuarter, atHalf;
    };
    const Case cases[] = {
        {{1.0}, 0.0, 0.0, 0.0},                        // an impulse is flat
        {{0.0, 0.0, 0.5}, -6.0206, -6.0206, -6.0206},  // a delayed half: flat at -6 dB
        {{0.5, 0.5}, -0.00022, -3.0103, -120.0},       // two-tap average: -3 dB at fs/4, zero at fs/2
        {{0.5, -0.5}, -42.946, -3.0103, 0.0},          // first difference: rises to the top
    };
    for (const Case& c : cases) {
        const auto db = magnitudeDb(c.taps.data(), int(c.taps.size()), f, rate);
        EXPECT_NEAR(db[0], c.at100, 0.01);
        EXPECT_NEAR(db[1], c.atQuarter, 0.001);
        EXPECT_NEAR(db[2], c.atHalf, 0.001);
    }
}

}  // namespace
}  // namespace tevaro::charts
