// VirtualiserStage for every preset x quality. The counter xRealTime is seconds of 44.1 kHz
// stereo audio processed per second of one core: the real-time factor.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "dsp/engine/virtualiser_stage.h"
#include "settings_link/settings_word.h"

namespace {

using namespace tevaro;
using namespace tevaro::dsp;

constexpr std::size_t bufferFrames = 2048;  // a typical player buffer: ~46 ms

void runStage(benchmark::State& state, std::uint32_t word, FirPairKernel kernel) {
    if (!kernel) {
        state.SkipWithError("path not available");
        return;
    }
    auto stage = std::make_unique<VirtualiserStage>();
    stage->reset();
    std::vector<std::int16_t> in(2 * bufferFrames), out(2 * bufferFrames, 0);
    std::uint32_t seed = 1;
    for (auto& s : in) {
        seed = seed * 1664525u + 1013904223u;
        s = static_cast<std::int16_t>(seed >> 18);
    }
    for (auto _ : state) {
        stage->processWith(kernel, word, in.data(), out.data(), in.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["xRealTime"] = benchmark::Counter(static_cast<double>(bufferFrames) / 44100.0 * state.iterations(),
                                                     benchmark::Counter::kIsRate);
}

struct Preset {
    const char* name;
    std::uint32_t flag;
};
struct Quality {
    const char* name;
    std::uint32_t flag;
};

const int registered = [] {
    const Preset presets[] = {
        {"RockPop", FlagRockPop}, {"Classic", FlagClassic}, {"Jazz", FlagJazz}, {"Movie", FlagMovie}};
    const Quality qualities[] = {{"Min", FlagQualityMin}, {"Mid", FlagQualityMid}, {"Max", FlagQualityMax}};
    for (const Preset& p : presets)
        for (const Quality& q : qualities) {
            const std::uint32_t word = p.flag | q.flag;
            benchmark::RegisterBenchmark((std::string("Virtualiser/") + p.name + "/" + q.name).c_str(),
                                         [word](benchmark::State& s) { runStage(s, word, bestFirPairKernel()); });
            benchmark::RegisterBenchmark((std::string("Virtualiser/") + p.name + "/" + q.name + "/scalar").c_str(),
                                         [word](benchmark::State& s) { runStage(s, word, firPairScalar); });
        }
    return 0;
}();

}  // namespace

BENCHMARK_MAIN();
