// Measures how much louder or quieter each preset and quality plays than bypass (the surround
// switch off), and whether a music programme peaking at -1 dBFS clips.
//
// Loudness is ITU-R BS.1770 integrated loudness (libebur128): K-weighted, summed over both ears,
// gated. That is how a listener's level jump is judged; a plain energy ratio would be dominated by
// the bass, where a centre-panned and an anti-phase source differ most and the ear least. Levels
// are taken after the first second, once the steering has settled. The plain energy ratio is
// printed as well, for comparison with older measurements.
#include <ebur128.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"

namespace tevaro::dsp {
namespace {

constexpr std::size_t rate = 44100;
constexpr std::size_t settleFrames = rate;

// The limits: within 2 LU of bypass, no clipped sample on the music.
struct Limits {
    double lu = 2.0;
    int clipped = 0;
};

// Combinations whose mixing leaves the limits out of reach of any coefficient set, with the
// levels they reach; the check holds them there so they cannot drift further.
struct Exception {
    std::uint32_t word;
    Limits limits;
    const char* why;
};
const Exception exceptions[] = {
    // Movie plays one front set at every quality, at input gain 2.0 alone at Min and at 2.5 with
    // the engine's 0.45 x centre and half of the reverberator added at Mid and Max (together
    // -2.2 LU of a centred source). With Min no lower than -2 LU, a centred source at Mid is at
    // least +2.0 LU even if what is added were incoherent with the front pair.
    {FlagMovie | FlagQualityMid, {2.7, 70}, "Movie adds its centre on top of the front pair"},
    {FlagMovie | FlagQualityMax, {2.7, 45}, "Movie adds its centre on top of the front pair"},
    // jazz Max is within 2 LU, but the reverberator's dry half adds in phase with the front pair
    // on beat onsets, where bass and voice peak together; quieter would put jazz Min (the same first
    // 72 taps) below -2 LU.
    {FlagJazz | FlagQualityMax, {2.0, 12}, "the reverberator's dry half peaks with the front pair"},
};

const Exception* exceptionFor(std::uint32_t word) {
    for (const Exception& e : exceptions)
        if (e.word == word) return &e;
    return nullptr;
}

struct Level {
    double loudness;  // LUFS
    double energyDb;  // dB re full scale, mean square of both channels
};

Level measure(const Programme& x) {
    const std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> meter(ebur128_init(2, rate, EBUR128_MODE_I),
                                                                         [](ebur128_state* s) { ebur128_destroy(&s); });
    const std::size_t frames = x.size() / 2 - settleFrames;
    ebur128_add_frames_short(meter.get(), x.data() + 2 * settleFrames, frames);
    Level level{};
    ebur128_loudness_global(meter.get(), &level.loudness);
    double sum = 0.0;
    for (std::size_t i = 2 * settleFrames; i < x.size(); ++i) sum += static_cast<double>(x[i]) * x[i];
    level.energyDb = 10.0 * std::log10(sum / (2.0 * frames) / (32768.0 * 32768.0));
    return level;
}

Programme render(std::uint32_t word, const Programme& in) {
    Programme out(in.size());
    renderProgramme(ChainSettings{word, true, false}, in.data(), out.data(), in.size() / 2);
    return out;
}

// `tsv` (if open) gets the table for dsp-charts: preset, quality and the LU of every signal.
int run(bool check, std::FILE* tsv) {
    struct Signal {
        const char* name;
        Programme samples;
        Level bypass;
    };
    std::vector<Signal> signals;
    signals.push_back({"pink", pinkNoise(6 * rate, NoiseImage::uncorrelated, -20.0, 11), {}});
    signals.push_back({"centre", pinkNoise(6 * rate, NoiseImage::centre, -20.0, 12), {}});
    signals.push_back({"anti-phase", pinkNoise(6 * rate, NoiseImage::antiPhase, -20.0, 13), {}});
    signals.push_back({"music", demoProgramme(60 * rate), {}});  // last: its peaks are counted
    for (Signal& s : signals) s.bypass = measure(s.samples);

    std::printf("LU against bypass (energy dB in brackets); music peaks at -1 dBFS\n");
    if (tsv != nullptr) {
        std::fprintf(tsv, "preset\tquality");
        for (const Signal& s : signals) std::fprintf(tsv, "\t%s", s.name);
        std::fprintf(tsv, "\n");
    }
    std::printf("%-9s %-4s", "preset", "qual");
    for (const Signal& s : signals) std::printf(" %17s", s.name);
    std::printf(" %7s %8s\n", "peak", "clipped");
    int failures = 0;
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            const std::uint32_t word = preset.flag | quality.flag;
            const Exception* exception = exceptionFor(word);
            const Limits limits = exception ? exception->limits : Limits{};
            std::printf("%-9s %-4s", std::string(preset.name).c_str(), std::string(quality.name).c_str());
            if (tsv != nullptr)
                std::fprintf(tsv, "%s\t%s", std::string(preset.name).c_str(), std::string(quality.name).c_str());
            double worstLu = 0.0;
            Programme out;
            for (const Signal& s : signals) {
                out = render(word, s.samples);
                const Level level = measure(out);
                const double lu = level.loudness - s.bypass.loudness;
                std::printf("   %+6.2f (%+6.2f)", lu, level.energyDb - s.bypass.energyDb);
                if (tsv != nullptr) std::fprintf(tsv, "\t%.3f", lu);
                worstLu = std::max(worstLu, std::fabs(lu));
            }
            int peak = 0, clipped = 0;
            for (std::int16_t v : out) {
                peak = std::max(peak, std::abs(static_cast<int>(v)));
                clipped += v >= 32767 || v <= -32767;
            }
            const bool passes = worstLu <= limits.lu && clipped <= limits.clipped;
            const bool strict = worstLu <= Limits{}.lu && clipped == 0;
            std::printf(" %7.2f %8d", 20.0 * std::log10(peak / 32768.0), clipped);
            if (!passes) std::printf("  <- outside the limits");
            if (passes && !strict) std::printf("  (known: %s)", exception->why);
            std::printf("\n");
            if (tsv != nullptr) std::fprintf(tsv, "\n");
            failures += !passes;
        }
    }
    if (check && failures > 0) {
        std::fprintf(stderr, "tevaro-loudness: %d combinations outside their limits\n", failures);
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace tevaro::dsp

int main(int argc, char** argv) {
    bool check = false;
    std::FILE* tsv = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            check = true;
        } else if (std::strcmp(argv[i], "--tsv") == 0 && i + 1 < argc) {
            tsv = std::fopen(argv[++i], "w");
            if (tsv == nullptr) return std::fprintf(stderr, "tevaro-loudness: cannot write %s\n", argv[i]), 1;
        } else {
            std::fputs("usage: tevaro-loudness [--check] [--tsv FILE]\n", stderr);
            return 2;
        }
    }
    const int status = tevaro::dsp::run(check, tsv);
    if (tsv != nullptr && std::fclose(tsv) != 0) return 1;
    return status;
}
