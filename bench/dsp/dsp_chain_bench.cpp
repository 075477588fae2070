// Real-time factor of the whole 16-bit chain per preset and quality on 44.1 kHz stereo, processed
// in the plug-in's way (4096-frame buffers). The counter "x_realtime" is seconds of audio per
// second of processor time on one core.
#include <benchmark/benchmark.h>

#include <string>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"

namespace tevaro::dsp {
namespace {

constexpr std::size_t programmeFrames = 44100 * 5;

const Programme& programme() {
    static const Programme music = demoProgramme(programmeFrames);
    return music;
}

void chain(benchmark::State& state, std::uint32_t word) {
    const Programme& in = programme();
    Programme out(in.size());
    OfflineRenderer renderer(ChainSettings{word, true, false});
    for (auto _ : state) {
        renderer.render(in.data(), out.data(), programmeFrames);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["x_realtime"] =
        benchmark::Counter(static_cast<double>(programmeFrames) / 44100.0 * state.iterations(), benchmark::Counter::kIsRate);
}

[[maybe_unused]] const bool registered = [] {
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            const std::string name = "DspChain/" + std::string(preset.name) + "/" + std::string(quality.name);
            benchmark::RegisterBenchmark(name.c_str(), chain, preset.flag | quality.flag)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace tevaro::dsp

BENCHMARK_MAIN();
