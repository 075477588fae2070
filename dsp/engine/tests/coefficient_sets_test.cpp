// Every stated fact about the fourteen head-related sets, for every set: a wrongly regenerated
// data file fails here.
#include "dsp/engine/coefficient_sets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tevaro::dsp {
namespace {

struct Peak {
    int index;
    double value;
};

struct SetFacts {
    const char* name;
    const CoefficientSet* set;
    int slots;
    Peak peaks[4];
    bool slowCrossEar;  // jazz (and rear Movie, which shares its data): slower cross-ear decay
};

const SetFacts sets[] = {
    {"rearRockPop96", &rearRockPop96, 96, {{19, -0.1350}, {17, -0.0849}, {17, -0.0747}, {18, -0.1526}}, false},
    {"rearRockPop72", &rearRockPop72, 72, {{19, -0.1485}, {17, -0.0936}, {17, -0.0820}, {18, -0.1673}}, false},
    {"rearClassic", &rearClassic, 96, {{19, -0.1814}, {17, -0.1142}, {17, -0.1007}, {18, -0.2051}}, false},
    {"rearJazz96", &rearJazz96, 96, {{17, -0.1093}, {27, -0.0582}, {28, -0.0661}, {17, -0.1095}}, true},
    {"rearJazz72", &rearJazz72, 72, {{17, -0.1117}, {27, -0.0594}, {28, -0.0689}, {17, -0.1123}}, true},
    {"rearMovie", &rearMovie, 96, {{17, -0.1093}, {27, -0.0582}, {28, -0.0661}, {17, -0.1095}}, true},
    {"frontRockPop128", &frontRockPop128, 128, {{17, 0.2158}, {22, -0.0671}, {17, 0.0551}, {26, -0.2204}}, false},
    {"frontRockPop96", &frontRockPop96, 96, {{17, 0.2117}, {22, -0.0666}, {17, 0.0528}, {26, -0.2170}}, false},
    {"frontRockPop72", &frontRockPop72, 72, {{17, 0.2248}, {22, -0.0726}, {17, 0.0554}, {26, -0.2336}}, false},
    {"frontClassic", &frontClassic, 128, {{18, 0.4422}, {17, 0.0724}, {20, 0.0709}, {17, 0.4538}}, false},
    {"frontJazz128", &frontJazz128, 128, {{17, -0.1818}, {34, 0.1370}, {22, -0.0528}, {17, 0.2318}}, true},
    {"frontJazz96", &frontJazz96, 96, {{17, -0.1899}, {34, 0.1400}, {22, -0.0544}, {17, 0.2436}}, true},
    {"frontJazz72", &frontJazz72, 72, {{17, -0.1818}, {34, 0.1370}, {22, -0.0528}, {17, 0.2318}}, true},
    {"frontMovie", &frontMovie, 128, {{17, 0.1825}, {30, 0.1500}, {27, 0.0794}, {17, 0.1929}}, false},
};

double energy(const double* h, int from, int to) {
    double e = 0.0;
    for (int i = from; i < to; ++i) e += h[i] * h[i];
    return e;
}

class CoefficientSetFacts : public ::testing::TestWithParam<SetFacts> {};

TEST_P(CoefficientSetFacts, SlotsAndLargestCoefficientOfEachFilter) {
    const SetFacts& facts = GetParam();
    ASSERT_EQ(facts.set->slots, facts.slots);
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(testing::Message() << "filter " << k + 1);
        const double* h = facts.set->filter(k);
        int largest = 0;
        for (int i = 1; i < facts.slots; ++i)
            if (std::fabs(h[i]) > std::fabs(h[largest])) largest = i;
        EXPECT_EQ(largest, facts.peaks[k].index);
        EXPECT_NEAR(h[largest], facts.peaks[k].value, 0.00005);
        EXPECT_GE(largest, 17);
        EXPECT_LE(largest, 34);
    }
}

// Most energy arrives early; the window ends at (or very near) zero.
TEST_P(CoefficientSetFacts, EnergyArrivesEarlyAndTheTailEndsNearZero) {
    const SetFacts& facts = GetParam();
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(testing::Message() << "filter " << k + 1);
        const double* h = facts.set->filter(k);
        const double total = energy(h, 0, facts.slots);
        const bool crossEar = k == 1 || k == 2;
        if (!(facts.slowCrossEar && crossEar)) {
            EXPECT_GT(energy(h, 0, 40), 0.80 * total);
            EXPECT_GT(energy(h, 0, 60), 0.90 * total);
        } else {
            EXPECT_GT(energy(h, 0, 60), 0.75 * total);
        }
        const double peak = std::fabs(facts.peaks[k].value);
        for (int i = facts.slots - 4; i < facts.slots; ++i) EXPECT_LT(std::fabs(h[i]), 0.05 * peak) << "tap " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSets, CoefficientSetFacts, ::testing::ValuesIn(sets),
                         [](const auto& info) { return std::string(info.param.name); });

void expectFilterPrefixEqual(const CoefficientSet& a, const CoefficientSet& b, int taps) {
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < taps; ++i) ASSERT_EQ(a.filter(k)[i], b.filter(k)[i]) << "filter " << k + 1 << " tap " << i;
}

TEST(CoefficientSets, RearJazz96AndRearMovieHoldTheSameValues) { expectFilterPrefixEqual(rearJazz96, rearMovie, 96); }

TEST(CoefficientSets, FrontJazz72IsTheStartOfFrontJazz128) { expectFilterPrefixEqual(frontJazz72, frontJazz128, 72); }

// Different lengths of Rock/Pop are designed apart, not cut from one response: the shapes
// differ, not just the scale.
TEST(CoefficientSets, RockPopLengthsAreDifferentResponses) {
    const std::pair<const CoefficientSet*, const CoefficientSet*> pairs[] = {{&frontRockPop128, &frontRockPop96},
                                                                             {&frontRockPop128, &frontRockPop72},
                                                                             {&frontRockPop96, &frontRockPop72},
                                                                             {&rearRockPop96, &rearRockPop72}};
    for (const auto& [longer, shorter] : pairs) {
        for (int k = 0; k < 4; ++k) {
            const double* a = longer->filter(k);
            const double* b = shorter->filter(k);
            double difference = 0.0;
            for (int i = 0; i < shorter->slots; ++i) difference = std::fmax(difference, std::fabs(a[i] - b[i]));
            EXPECT_GT(difference, 0.002) << longer->slots << " vs " << shorter->slots << " filter " << k + 1;
        }
    }
}

TEST(CoefficientSets, LastSlotOfTheSetsUsedWith127TapsIsZero) {
    for (const CoefficientSet* set : {&frontClassic, &frontMovie})
        for (int k = 0; k < 4; ++k) EXPECT_EQ(set->filter(k)[127], 0.0) << "filter " << k + 1;
}

TEST(CoefficientSets, LeadingCoefficientsOfTheTwoRockPopFilters) {
    const double front[8] = {0.004054, -0.038830, 0.015073, 0.037455, -0.047509, -0.000492, 0.022593, 0.016491};
    const double rear[8] = {0, 0, -0.002132, 0.010848, -0.011073, -0.017461, 0.022813, -0.008424};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(frontRockPop128.filter(0)[i], front[i]) << i;
        EXPECT_EQ(rearRockPop96.filter(0)[i], rear[i]) << i;
    }
}

}  // namespace
}  // namespace tevaro::dsp
