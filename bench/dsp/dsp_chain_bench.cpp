// Real-time factor of the whole 16-bit chain per preset and quality on 44.1 kHz stereo, processed
// in the plug-in's way (4096-frame buffers). The counter "x_realtime" is seconds of audio per
// second of processor time on one core.
#include <benchmark/benchmark.h>

#include <memory>
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
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(programmeFrames) / 44100.0 * state.iterations(), benchmark::Counter::kIsRate);
}

// The stages on their own, to see where the time of a chain goes.
void reverbStage(benchmark::State& state) {
    const Programme& in = programme();
    Programme out(in.size());
    auto reverb = std::make_unique<RoomReverb>();
    reverb->initialise();
    for (auto _ : state) {
        reverb->process(in.size(), in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(programmeFrames) / 44100.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(reverbStage)->Name("RoomReverb")->Unit(benchmark::kMillisecond);

void engineStage(benchmark::State& state, std::uint32_t word) {
    const Programme& in = programme();
    Programme out(in.size());
    auto engine = std::make_unique<SurroundEngine>();
    engine->reset();
    engine->setFlags(word);
    for (auto _ : state) {
        engine->process(in.size(), in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(programmeFrames) / 44100.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(engineStage, room, FlagNeutral)->Name("SurroundEngine/room")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(engineStage, rear72, FlagRockPop | FlagQualityMid)
    ->Name("SurroundEngine/rear72")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(engineStage, rear96, FlagRockPop | FlagQualityMax)
    ->Name("SurroundEngine/rear96")
    ->Unit(benchmark::kMillisecond);

[[maybe_unused]] const bool registered = [] {
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            const std::string name = "DspChain/" + std::string(preset.name) + "/" + std::string(quality.name);
            benchmark::RegisterBenchmark(name.c_str(), chain, preset.flag | quality.flag)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace tevaro::dsp

BENCHMARK_MAIN();
