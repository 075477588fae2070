// Tone colour of the front pair at Min, measured in the time domain through the stage: pink noise
// (Kellet's filter on a fixed white sequence), 2 s at about -20 dB full scale. Levels against
// bypass are the whole chain's business: tools/tevaro-loudness measures and checks them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
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

struct Preset {
    const char* name;
    std::uint32_t flag;
};
const Preset presets[] = {{"RockPop", FlagRockPop}, {"Classic", FlagClassic}, {"Jazz", FlagJazz}, {"Movie", FlagMovie}};

std::vector<std::int16_t> runAtMin(std::uint32_t flag, const std::vector<std::int16_t>& in) {
    std::vector<std::int16_t> out(in.size(), 0);
    auto stage = std::make_unique<VirtualiserStage>();
    stage->reset();
    stage->process(flag | FlagQualityMin, in.data(), out.data(), in.size());
    return out;
}

// One-octave band-pass (the audio-EQ cookbook form, 0 dB at the centre); the same filter
// measures input and output, so only the ratio matters.
double bandPower(const std::vector<double>& x, double centreHz) {
    const double w0 = 2.0 * 3.14159265358979323846 * centreHz / 44100.0;
    const double alpha = std::sin(w0) / (2.0 * 1.4142);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2.0 * std::cos(w0) / a0, a2 = (1.0 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, p = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double y = b0 * x[i] + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x[i];
        y2 = y1;
        y1 = y;
        if (i >= 4096) p += y * y;  // skip the band filter's settling
    }
    return p;
}

struct Spread {
    double low = 1e9, high = -1e9;
    void add(double db) { low = std::fmin(low, db), high = std::fmax(high, db); }
    double width() const { return high - low; }
};

// Tone colour of a centre-panned source, per octave 63 Hz..16 kHz: at each ear, and in the
// mono sum of the two outputs. Rock/Pop's right-ear main peak is stated with the opposite sign
// of its left-ear one and 9 taps later, so its mono sum loses the top two octaves; there only
// the octaves up to 4 kHz are held to 6 dB.
TEST(FrontPairAtMin, CentrePannedToneColourWithin6DbPerOctave) {
    const std::vector<std::int16_t> in = pinkProgramme(88200, 1.0);
    std::vector<double> input(in.size() / 2);
    for (std::size_t f = 0; f < input.size(); ++f) input[f] = in[2 * f];
    for (const Preset& p : presets) {
        const std::vector<std::int16_t> out = runAtMin(p.flag, in);
        std::vector<double> left(input.size()), right(input.size()), mono(input.size());
        for (std::size_t f = 0; f < input.size(); ++f) {
            left[f] = out[2 * f];
            right[f] = out[2 * f + 1];
            mono[f] = (left[f] + right[f]) / 2.0;
        }
        Spread ears, monoAll, monoTo4k;
        std::printf("%-8s Min, centre-panned, dB per octave 63 Hz..16 kHz:\n  ears", p.name);
        std::string monoText;
        for (double hz = 62.5; hz < 17000; hz *= 2) {
            const double reference = bandPower(input, hz);
            const double ear = 10 * std::log10((bandPower(left, hz) + bandPower(right, hz)) / (2 * reference));
            const double sum = 10 * std::log10(bandPower(mono, hz) / reference);
            ears.add(ear);
            monoAll.add(sum);
            if (hz < 5000) monoTo4k.add(sum);
            std::printf(" %+5.1f", ear);
            char text[16];
            std::snprintf(text, sizeof text, " %+5.1f", sum);
            monoText += text;
        }
        std::printf("\n  mono%s\n", monoText.c_str());
        EXPECT_LE(ears.width(), 6.0) << p.name;
        EXPECT_LE(monoTo4k.width(), 6.0) << p.name;
        if (p.flag != FlagRockPop) {
            EXPECT_LE(monoAll.width(), 6.0) << p.name;
        }
    }
}

}  // namespace
}  // namespace tevaro::dsp
