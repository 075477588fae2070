// A fixed synthetic programme through every preset and quality, compared with committed
// checksums: any change in the numbers the chain produces shows here, also where the chain uses
// data or code the plain reference shares with it (the filter sets, DualFir, the routing).
// A failure names the preset, the quality and, where the reference reproduces the recorded
// output, the first sample that differs from it. The table is recorded only by the separate
// dsp_golden_record tool, after a deliberate and reviewed change.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dsp/engine/tests/golden_renders.h"
#include "dsp/engine/tests/reference/chain_reference.h"
#include "dsp/engine/tests/reference/first_difference.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

struct Golden {
    const char* preset;
    const char* quality;
    std::uint64_t checksum;
};

const Golden goldenTable[] = {
#include "golden_checksums.inc"
};

TEST(GoldenChecksums, TableHoldsEveryPresetAndQualityInOrder) {
    const std::vector<GoldenCase> cases = goldenCases();
    ASSERT_EQ(std::size(goldenTable), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(goldenTable[i].preset, cases[i].preset) << "row " << i;
        EXPECT_EQ(goldenTable[i].quality, cases[i].quality) << "row " << i;
    }
}

// Where the chain's new output leaves the recorded one. The checksum alone cannot say; the plain
// reference can, when its own output is the recorded one.
std::string whereItDiffers(const GoldenCase& c, const Programme& chainOut, std::uint64_t recorded) {
    const Programme& in = goldenProgramme();
    Programme referenceOut(in.size());
    reference::ChainReference ref(c.word | FlagSurroundOn);
    ref.process(in.data(), referenceOut.data(), in.size() / 2);
    const auto d = reference::firstDifference(referenceOut, chainOut);
    if (d && goldenChecksum(referenceOut) == recorded) {
        return "first differing sample at " + describe(*d, "recorded", "chain");
    }
    if (!d) {
        return "the reference gives the chain's output too, so the recorded samples cannot be rebuilt and the "
               "first differing sample cannot be named: the change is in both, in what they share (filter "
               "sets, DualFir, the programme) or in the table";
    }
    return "the reference reproduces neither; the chain first leaves the reference at " +
           describe(*d, "reference", "chain");
}

class EveryPresetAndQuality : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(EveryPresetAndQuality, KeepsItsRecordedOutput) {
    const GoldenCase& c = GetParam();
    const Golden* recorded = nullptr;
    for (const Golden& g : goldenTable) {
        if (c.preset == g.preset && c.quality == g.quality) recorded = &g;
    }
    ASSERT_NE(recorded, nullptr) << "no recorded checksum";
    const Programme out = renderGolden(c);
    if (goldenChecksum(out) != recorded->checksum) {
        ADD_FAILURE() << c.preset << " at " << c.quality << ": the output differs from the recorded one; "
                      << whereItDiffers(c, out, recorded->checksum);
    }
}

INSTANTIATE_TEST_SUITE_P(GoldenChecksums, EveryPresetAndQuality, ::testing::ValuesIn(goldenCases()),
                         [](const auto& info) {
                             std::string name = info.param.preset + "_" + info.param.quality;
                             for (char& ch : name)
                                 if (ch == '-') ch = '_';
                             return name;
                         });

}  // namespace
}  // namespace tevaro::dsp
