#include "panel/model/processor_rating.h"

namespace tevaro::panel {
namespace {

constexpr std::uint16_t MinimumLevel = 6;

struct ClockThresholds {
    std::uint32_t midFromMhz;
    std::uint32_t maxFromMhz;
};

// AMD's processors of the time did as much per clock as Intel's at a higher one.
constexpr ClockThresholds AmdClocks = {1400, 1800};
constexpr ClockThresholds OtherClocks = {1600, 1900};

}  // namespace

int rateProcessor(const ProcessorFacts& facts) {
    if (facts.architecture != ArchitectureIntel && facts.architecture != ArchitectureAmd64) return LevelMin;
    if (facts.level < MinimumLevel) return LevelMin;
    if (!facts.clockMhz || !facts.maker) return LevelMin;
    // The text and its terminator must fit the buffer the value is read into.
    if (facts.maker->size() >= MakerBufferBytes) return LevelMin;

    const ClockThresholds& t = *facts.maker == "AuthenticAMD" ? AmdClocks : OtherClocks;
    if (*facts.clockMhz >= t.maxFromMhz) return LevelMax;
    if (*facts.clockMhz >= t.midFromMhz) return LevelMid;
    return LevelMin;
}

}  // namespace tevaro::panel
