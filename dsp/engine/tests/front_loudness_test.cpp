// Level matching of the front pair at Min, measured in the time domain through the stage:
// pink noise (Kellet's filter on a fixed white sequence), 2 s at about -20 dB full scale.
// A typical programme is taken as pink noise with half of its power common to both channels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "dsp/engine/virtualiser_stage.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

class Pink {
public:
    explicit Pink(std::uint32_t seed) : seed_(seed) {}
    double next() {
        seed_ = seed_ * 1664525u + 1013904223u;
        const double white = (static_cast<double>(seed_ >> 8) / 8388608.0) - 1.0;
        b0_ = 0.99765 * b0_ + white * 0.0990460;
        b1_ = 0.96300 * b1_ + white * 0.2965164;
        b2_ = 0.57000 * b2_ + white * 1.0526913;
        return b0_ + b1_ + b2_ + white * 0.1848;
    }

private:
    std::uint32_t seed_;
    double b0_ = 0, b1_ = 0, b2_ = 0;
};

// commonShare: fraction of the power shared by both channels (1 = centre-panned).
std::vector<std::int16_t> pinkProgramme(std::size_t frames, double commonShare) {
    Pink common(11), left(22), right(33);
    std::vector<std::int16_t> v(2 * frames);
    const double c = std::sqrt(commonShare), u = std::sqrt(1.0 - commonShare), level = 1200.0;
    for (std::size_t f = 0; f < frames; ++f) {
        const double shared = common.next();
        v[2 * f] = static_cast<std::int16_t>(level * (c * shared + u * left.next()));
        v[2 * f + 1] = static_cast<std::int16_t>(level * (c * shared + u * right.next()));
    }
    return v;
}

double powerOf(const std::vector<std::int16_t>& v, std::size_t skipFrames) {
    double p = 0;
    for (std::size_t i = 2 * skipFrames; i < v.size(); ++i) p += double(v[i]) * v[i];
    return p / (v.size() - 2 * skipFrames);
}

struct Preset {
    const char* name;
    std::uint32_t flag;
};
const Preset presets[] = {{"RockPop", FlagRockPop}, {"Classic", FlagClassic}, {"Jazz", FlagJazz}, {"Movie", FlagMovie}};

double gainAtMinDb(std::uint32_t flag, double commonShare) {
    const std::size_t frames = 88200;
    const std::vector<std::int16_t> in = pinkProgramme(frames, commonShare);
    std::vector<std::int16_t> out(in.size(), 0);
    auto stage = std::make_unique<VirtualiserStage>();
    stage->reset();
    stage->process(flag | FlagQualityMin, in.data(), out.data(), in.size());
    return 10.0 * std::log10(powerOf(out, 128) / powerOf(in, 128));
}

TEST(FrontLoudnessAtMin, TypicalProgrammeKeepsItsLevelWithin2Db) {
    for (const Preset& p : presets) {
        const double typical = gainAtMinDb(p.flag, 0.5);
        const double stereo = gainAtMinDb(p.flag, 0.0);
        const double centre = gainAtMinDb(p.flag, 1.0);
        std::printf("%-8s Min: typical %+5.2f dB, uncorrelated %+5.2f dB, centre-panned %+5.2f dB\n", p.name, typical,
                    stereo, centre);
        EXPECT_NEAR(typical, 0.0, 2.0) << p.name;
        EXPECT_NEAR(centre, 0.0, 2.0) << p.name;
        EXPECT_NEAR(stereo, 0.0, 3.0) << p.name;
    }
}

}  // namespace
}  // namespace tevaro::dsp
