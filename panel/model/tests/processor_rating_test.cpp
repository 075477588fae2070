#include "panel/model/processor_rating.h"

#include <gtest/gtest.h>

#include <string>

namespace tevaro::panel {
namespace {

ProcessorFacts x86(std::string maker, std::uint32_t mhz, std::uint16_t level = 6) {
    return {ArchitectureIntel, level, mhz, std::move(maker)};
}

ProcessorFacts amd64(std::string maker, std::uint32_t mhz) { return {ArchitectureAmd64, 23, mhz, std::move(maker)}; }

ProcessorFacts onArchitecture(std::uint16_t architecture) { return {architecture, 6, 3000, "GenuineIntel"}; }

ProcessorFacts withoutClock() { return {ArchitectureIntel, 6, std::nullopt, "AuthenticAMD"}; }
ProcessorFacts withoutMaker() { return {ArchitectureIntel, 6, 3000, std::nullopt}; }

struct RatingCase {
    const char* name;
    ProcessorFacts facts;
    int level;
};

void PrintTo(const RatingCase& c, std::ostream* os) { *os << c.name; }

class ProcessorRating : public testing::TestWithParam<RatingCase> {};

TEST_P(ProcessorRating, ClassifiesByMakerAndClock) { EXPECT_EQ(rateProcessor(GetParam().facts), GetParam().level); }

INSTANTIATE_TEST_SUITE_P(Thresholds, ProcessorRating,
                         testing::Values(RatingCase{"amd_1399", x86("AuthenticAMD", 1399), LevelMin},
                                         RatingCase{"amd_1400", x86("AuthenticAMD", 1400), LevelMid},
                                         RatingCase{"amd_1799", x86("AuthenticAMD", 1799), LevelMid},
                                         RatingCase{"amd_1800", x86("AuthenticAMD", 1800), LevelMax},
                                         RatingCase{"other_1599", x86("GenuineIntel", 1599), LevelMin},
                                         RatingCase{"other_1600", x86("GenuineIntel", 1600), LevelMid},
                                         RatingCase{"other_1899", x86("GenuineIntel", 1899), LevelMid},
                                         RatingCase{"other_1900", x86("GenuineIntel", 1900), LevelMax},
                                         RatingCase{"empty_maker_1900", x86("", 1900), LevelMax},
                                         // Only the exact, whole text counts as AMD.
                                         RatingCase{"lower_case_amd_1500", x86("authenticamd", 1500), LevelMin},
                                         RatingCase{"lower_case_amd_1799", x86("authenticamd", 1799), LevelMid},
                                         RatingCase{"amd_with_trailing_blank_1850", x86("AuthenticAMD ", 1850),
                                                    LevelMid},
                                         RatingCase{"zero_clock", x86("AuthenticAMD", 0), LevelMin}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Fallbacks, ProcessorRating,
    testing::Values(RatingCase{"level_5", x86("AuthenticAMD", 3000, 5), LevelMin},
                    RatingCase{"level_6", x86("GenuineIntel", 3000, 6), LevelMax},
                    RatingCase{"clock_missing", withoutClock(), LevelMin},
                    RatingCase{"maker_missing", withoutMaker(), LevelMin},
                    // 49 letters and the terminator fill the 50-byte buffer; one more does not fit.
                    RatingCase{"maker_fills_the_buffer", x86(std::string(49, 'x'), 3000), LevelMax},
                    RatingCase{"maker_longer_than_the_buffer", x86(std::string(50, 'x'), 3000), LevelMin}),
    [](const auto& info) { return std::string(info.param.name); });

// The 64-bit panel always sees architecture 9: its processors are rated like those of the 32-bit
// panel, by the same thresholds.
INSTANTIATE_TEST_SUITE_P(
    Architectures, ProcessorRating,
    testing::Values(RatingCase{"amd64_amd_1399", amd64("AuthenticAMD", 1399), LevelMin},
                    RatingCase{"amd64_amd_1400", amd64("AuthenticAMD", 1400), LevelMid},
                    RatingCase{"amd64_amd_1800", amd64("AuthenticAMD", 1800), LevelMax},
                    RatingCase{"amd64_other_1600", amd64("GenuineIntel", 1600), LevelMid},
                    RatingCase{"amd64_other_1900", amd64("GenuineIntel", 1900), LevelMax},
                    RatingCase{"amd64_level_5", ProcessorFacts{9, 5, 3000, "GenuineIntel"}, LevelMin},
                    RatingCase{"arm", onArchitecture(5), LevelMin}, RatingCase{"ia64", onArchitecture(6), LevelMin},
                    RatingCase{"arm64", onArchitecture(12), LevelMin},
                    RatingCase{"unknown", onArchitecture(0xFFFF), LevelMin}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tevaro::panel
