// A fixed synthetic programme through every preset and quality, compared with committed
// checksums: any change in the numbers the chain produces shows here. When a change is meant,
// each failing case prints its new row of the table.
#include <gtest/gtest.h>

#include <iomanip>
#include <string>
#include <string_view>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"

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

// FNV-1a over the little-endian bytes of the samples.
std::uint64_t checksum(const Programme& samples) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::int16_t s : samples) {
        for (int shift : {0, 8}) {
            h ^= static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) >> shift);
            h *= 1099511628211ull;
        }
    }
    return h;
}

// The table holds every preset at every quality, in the order the tools name them, so no preset
// or quality goes without a checksum.
TEST(GoldenTable, CoversEveryPresetAndQuality) {
    ASSERT_EQ(std::size(goldenTable), presetNames.size() * qualityNames.size());
    const Golden* row = goldenTable;
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            EXPECT_EQ(preset.name, row->preset);
            EXPECT_EQ(quality.name, row->quality);
            ++row;
        }
    }
}

std::uint32_t flagNamed(std::string_view name) {
    for (const NamedFlag& f : presetNames)
        if (f.name == name) return f.flag;
    for (const NamedFlag& f : qualityNames)
        if (f.name == name) return f.flag;
    return 0;
}

void PrintTo(const Golden& g, std::ostream* os) { *os << g.preset << " at " << g.quality; }

// One case per row, so the rows run side by side (under an emulator a row takes seconds).
class GoldenChecksums : public testing::TestWithParam<Golden> {};

TEST_P(GoldenChecksums, KeepsItsOutput) {
    const Golden& g = GetParam();
    const std::uint32_t preset = flagNamed(g.preset), quality = flagNamed(g.quality);
    ASSERT_NE(preset, 0u) << g.preset;
    ASSERT_NE(quality, 0u) << g.quality;
    const Programme in = steeringWorkout(44100);
    Programme out(in.size());
    renderProgramme(ChainSettings{preset | quality, true, false}, in.data(), out.data(), in.size() / 2);
    const std::uint64_t current = checksum(out);
    // When a change is meant, this is the row to commit.
    EXPECT_EQ(current, g.checksum) << "current row:\n    {\"" << g.preset << "\", \"" << g.quality << "\", 0x"
                                   << std::hex << std::setw(16) << std::setfill('0') << current << "ull},";
}

INSTANTIATE_TEST_SUITE_P(PresetsAndQualities, GoldenChecksums, testing::ValuesIn(goldenTable), [](const auto& info) {
    std::string name = std::string(info.param.preset) + "_" + info.param.quality;
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
});

}  // namespace
}  // namespace tevaro::dsp
