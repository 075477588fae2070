// Measures how much louder or quieter each preset and quality plays than bypass (the surround
// switch off), on uncorrelated pink noise, centre-panned pink noise and anti-phase pink noise,
// and whether a music programme peaking at -1 dBFS clips. Levels are energy ratios over the
// programme after the first second (the steering settles within it).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"

namespace tevaro::dsp {
namespace {

constexpr std::size_t rate = 44100;
constexpr std::size_t settleFrames = rate;
constexpr double allowedDb = 2.0;

double energy(const Programme& x, std::size_t fromFrame) {
    double sum = 0.0;
    for (std::size_t i = 2 * fromFrame; i < x.size(); ++i) sum += static_cast<double>(x[i]) * x[i];
    return sum;
}

Programme render(std::uint32_t word, const Programme& in) {
    Programme out(in.size());
    renderProgramme(ChainSettings{word, true, false}, in.data(), out.data(), in.size() / 2);
    return out;
}

int clippedSamples(const Programme& x) {
    int count = 0;
    for (std::int16_t s : x) count += s >= 32767 || s <= -32767;
    return count;
}

int run(bool check) {
    struct Signal {
        const char* name;
        Programme samples;
    };
    const std::vector<Signal> signals = {
        {"pink", pinkNoise(6 * rate, NoiseImage::uncorrelated, -20.0, 11)},
        {"centre", pinkNoise(6 * rate, NoiseImage::centre, -20.0, 12)},
        {"anti-phase", pinkNoise(6 * rate, NoiseImage::antiPhase, -20.0, 13)},
    };
    const Programme music = demoProgramme(60 * rate);

    std::printf("%-9s %-4s %8s %8s %11s %8s %9s\n", "preset", "qual", "pink dB", "centre", "anti-phase", "peak", "clipped");
    int failures = 0;
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            const std::uint32_t word = preset.flag | quality.flag;
            std::printf("%-9s %-4s", std::string(preset.name).c_str(), std::string(quality.name).c_str());
            bool within = true;
            for (const Signal& s : signals) {
                const double db = 10.0 * std::log10(energy(render(word, s.samples), settleFrames) / energy(s.samples, settleFrames));
                std::printf(" %8.2f", db);
                within = within && std::fabs(db) <= allowedDb;
            }
            const Programme out = render(word, music);
            int peak = 0;
            for (std::int16_t v : out) peak = std::max(peak, std::abs(static_cast<int>(v)));
            const int clipped = clippedSamples(out);
            std::printf("   %6.2f %9d%s\n", 20.0 * std::log10(peak / 32768.0), clipped,
                        within && clipped == 0 ? "" : "  <- outside the limits");
            failures += !(within && clipped == 0);
        }
    }
    if (check && failures > 0) {
        std::fprintf(stderr, "tevaro-loudness: %d combinations outside +-%.0f dB of bypass or clipping\n", failures,
                     allowedDb);
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace tevaro::dsp

int main(int argc, char** argv) {
    const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
    return tevaro::dsp::run(check);
}
