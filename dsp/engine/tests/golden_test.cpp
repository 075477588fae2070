// A fixed synthetic programme through every preset and quality, compared with committed
// checksums: any change in the numbers the chain produces shows here. When a change is meant,
// the failure message prints the new table.
#include <gtest/gtest.h>

#include <cstdio>
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

TEST(GoldenChecksums, EveryPresetAndQualityKeepsItsOutput) {
    const Programme in = steeringWorkout(44100);
    const std::size_t frames = in.size() / 2;
    std::vector<Golden> current;
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            Programme out(in.size());
            renderProgramme(ChainSettings{preset.flag | quality.flag, true, false}, in.data(), out.data(), frames);
            current.push_back({preset.name.data(), quality.name.data(), checksum(out)});
        }
    }
    bool same = current.size() == std::size(goldenTable);
    for (std::size_t i = 0; same && i < current.size(); ++i) {
        same = std::string_view(goldenTable[i].preset) == current[i].preset &&
               std::string_view(goldenTable[i].quality) == current[i].quality &&
               goldenTable[i].checksum == current[i].checksum;
    }
    if (!same) {
        std::printf("current table:\n");
        for (const Golden& g : current) {
            std::printf("    {\"%s\", \"%s\", 0x%016llxull},\n", g.preset, g.quality,
                        static_cast<unsigned long long>(g.checksum));
        }
    }
    ASSERT_EQ(current.size(), std::size(goldenTable));
    for (std::size_t i = 0; i < current.size(); ++i) {
        EXPECT_EQ(std::string_view(goldenTable[i].preset), current[i].preset);
        EXPECT_EQ(std::string_view(goldenTable[i].quality), current[i].quality);
        EXPECT_EQ(goldenTable[i].checksum, current[i].checksum) << current[i].preset << " " << current[i].quality;
    }
}

}  // namespace
}  // namespace tevaro::dsp
