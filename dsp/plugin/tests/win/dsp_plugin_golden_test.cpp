// The DLL's 16-bit output equals the native engine's, byte for byte: the programme of the engine's
// golden test goes through TevaroPlayerDSP.dll as host_sim plays it (registrar discovery, panel
// writes through the shared block, time-stamped buffers, output buffers smaller than the input),
// and each result's checksum must be the one the native build of tevaro-dsp's renderer produces.
#include <string_view>

#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp_test_support.h"
#include "host_sim/dsp_host.h"
#include "host_sim/dsp_session.h"
#include "host_sim/panel_writes.h"

namespace tevaro::plugin::test {
namespace {

struct Golden {
    const char* preset;
    const char* quality;
    std::uint64_t checksum;
};

// Recorded from the native renderer and checked against it by the engine's own golden test.
const Golden nativeChecksums[] = {
#include "dsp/engine/tests/golden_checksums.inc"
};

// FNV-1a over the little-endian bytes, as the engine's golden test sums them.
std::uint64_t checksum(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

std::uint32_t flagNamed(std::string_view name) {
    for (const auto& p : dsp::presetNames)
        if (p.name == name) return p.flag;
    for (const auto& q : dsp::qualityNames)
        if (q.name == name) return q.flag;
    return 0;
}

class DllMatchesNative : public testing::TestWithParam<Golden> {};

TEST_P(DllMatchesNative, SixteenBitOutputByteForByte) {
    const Golden& g = GetParam();
    const dsp::Programme programme = dsp::steeringWorkout(44100);
    host_sim::WavFile in = pcmFormat(16);
    in.data.assign(reinterpret_cast<const std::uint8_t*>(programme.data()),
                   reinterpret_cast<const std::uint8_t*>(programme.data() + programme.size()));

    host_sim::PanelWrites panel;
    ASSERT_TRUE(panel.start(flagNamed(g.preset) | flagNamed(g.quality) | FlagSurroundOn));
    IMediaObject* dmo = nullptr;
    CLSID clsid{};
    ASSERT_EQ(host_sim::createRegisteredDsp(&dmo, clsid), S_OK);
    EXPECT_EQ(clsid, DspClsid);
    ASSERT_TRUE(host_sim::writeEnabledValue(clsid, true));
    host_sim::applyEnabledValue(dmo, clsid);
    host_sim::waitForFirstRefresh(GetTickCount());

    host_sim::StreamOptions options;
    options.outputBytes = 4096;  // every input buffer comes out in INCOMPLETE parts
    host_sim::WavFile out;
    const host_sim::StreamReport report = host_sim::streamThrough(dmo, in, out, options);
    ASSERT_EQ(report.result, S_OK);
    EXPECT_GT(report.incompleteCalls, 0u);
    EXPECT_TRUE(report.timestampsContinuous);
    ASSERT_EQ(out.data.size(), in.data.size());
    EXPECT_EQ(checksum(out.data), g.checksum);
    EXPECT_EQ(dmo->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(PresetsAndQualities, DllMatchesNative, testing::ValuesIn(nativeChecksums),
                         [](const auto& info) {
                             std::string name = std::string(info.param.preset) + "_" + info.param.quality;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
}  // namespace tevaro::plugin::test
