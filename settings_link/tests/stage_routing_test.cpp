#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings_link/settings_word.h"
#include "settings_link/stage_routing.h"

namespace tevaro {
namespace {

constexpr auto None = EngineBranch::none;
constexpr auto Room = EngineBranch::room;
constexpr auto Virt = EngineBranch::virtualiser;

struct RoutingCase {
    const char* name;
    std::uint32_t word;
    bool passThrough, reverb;
    EngineBranch engine;
    bool virtualiser, addsEarlier;
};

void PrintTo(const RoutingCase& c, std::ostream* os) { *os << c.name; }

class Routing : public testing::TestWithParam<RoutingCase> {};

TEST_P(Routing, SelectsTheStagesOfTheWord) {
    const RoutingCase& c = GetParam();
    const StageRouting r = routeStages(c.word);
    EXPECT_EQ(r.passThrough, c.passThrough);
    EXPECT_EQ(r.roomReverb, c.reverb);
    EXPECT_EQ(r.engine, c.engine);
    EXPECT_EQ(r.virtualiserStage, c.virtualiser);
    EXPECT_EQ(r.addsEarlierStages, c.addsEarlier);
}

// The fifteen words the panel produces (with the switch, auto and warning bits it may carry).
INSTANTIATE_TEST_SUITE_P(PanelCombinations, Routing,
                         testing::Values(RoutingCase{"rockpop_min", 0x0201, false, false, None, true, false},
                                         RoutingCase{"rockpop_mid", 0x0801, false, true, Virt, true, true},
                                         RoutingCase{"rockpop_max", 0x0421, false, true, Virt, true, true},
                                         RoutingCase{"classic_min", 0x0202, false, false, None, true, false},
                                         RoutingCase{"classic_mid", 0x0802, false, false, Virt, true, true},
                                         RoutingCase{"classic_max", 0x1422, false, false, Virt, true, true},
                                         RoutingCase{"jazz_min", 0x0204, false, false, None, true, false},
                                         RoutingCase{"jazz_mid", 0x0904, false, true, Virt, true, true},
                                         RoutingCase{"jazz_max", 0x0404, false, true, Virt, true, true},
                                         RoutingCase{"movie_min", 0x0208, false, false, None, true, false},
                                         RoutingCase{"movie_mid", 0x0808, false, true, Virt, true, true},
                                         RoutingCase{"movie_max", 0x0428, false, true, Virt, true, true},
                                         RoutingCase{"neutral_min", 0x0210, false, false, Room, false, false},
                                         RoutingCase{"neutral_mid", 0x0810, false, true, Room, false, false},
                                         RoutingCase{"neutral_max", 0x0410, false, true, Room, false, false},
                                         RoutingCase{"default_word_is_neutral_min", 4464, false, false, Room, false,
                                                     false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Words the panel never writes.
INSTANTIATE_TEST_SUITE_P(OddWords, Routing,
                         testing::Values(RoutingCase{"zero", 0, true, false, None, false, false},
                                         RoutingCase{"quality_without_preset", 0x0400, true, false, None, false, false},
                                         RoutingCase{"two_presets", 0x0403, true, false, None, false, false},
                                         RoutingCase{"neutral_and_movie", 0x0218, true, false, None, false, false},
                                         RoutingCase{"rockpop_without_quality", 0x0121, true, false, None, false,
                                                     false},
                                         RoutingCase{"movie_without_quality", 0x0008, true, false, None, false, false},
                                         // Several quality bits follow the DSP's masks: Mid/Max selects the stages, Min
                                         // still keeps the virtualiser from adding the earlier stages.
                                         RoutingCase{"rockpop_min_and_max", 0x0601, false, true, Virt, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tevaro
