// Real-time factor of the LV2 plug-in (the built module, loaded as a host loads it) next to the
// 16-bit chain it wraps, per preset and quality, both in 1024-frame cycles (a common host
// quantum). The counter "x_realtime" is seconds of 44.1 kHz stereo per second on one core; the
// plug-in's extra work is the float conversion both ways and its control check.
#include <dlfcn.h>
#include <lv2/core/lv2.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dsp/engine/dsp_chain.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp/lv2/surround_ports.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

constexpr std::size_t programmeFrames = 44100 * 5;
constexpr std::size_t cycleFrames = 1024;

const Programme& programme() {
    static const Programme music = demoProgramme(programmeFrames);
    return music;
}

void countRealTime(benchmark::State& state) {
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(programmeFrames) / 44100.0 * state.iterations(), benchmark::Counter::kIsRate);
}

void chain(benchmark::State& state, std::uint32_t word) {
    const Programme& in = programme();
    Programme out(in.size());
    std::int32_t slots[5] = {1, 1, 1, static_cast<std::int32_t>(word | FlagSurroundOn), 0};
    auto dsp = std::make_unique<DspChain>();
    dsp->create([](void* c, int k) { return static_cast<std::int32_t*>(c)[k]; }, slots, 0);
    for (auto _ : state) {
        for (std::size_t done = 0; done < programmeFrames; done += cycleFrames) {
            const std::size_t n = std::min(cycleFrames, programmeFrames - done);
            dsp->process16(in.data() + 2 * done, out.data() + 2 * done, 2 * n, 2, 500);
        }
        benchmark::DoNotOptimize(out.data());
    }
    countRealTime(state);
}

const LV2_Descriptor* descriptor() {
    static const LV2_Descriptor* d = [] {
        void* module = dlopen(TEVARO_LV2_MODULE, RTLD_NOW);
        auto entry = module ? reinterpret_cast<LV2_Descriptor_Function>(dlsym(module, "lv2_descriptor")) : nullptr;
        return entry ? entry(0) : nullptr;
    }();
    return d;
}

void plugin(benchmark::State& state, int preset, int quality) {
    const LV2_Descriptor* d = descriptor();
    if (d == nullptr) return state.SkipWithError("the LV2 module does not load");
    const Programme& music = programme();
    std::vector<float> inL(programmeFrames), inR(programmeFrames), outL(programmeFrames), outR(programmeFrames);
    for (std::size_t i = 0; i < programmeFrames; ++i) {
        inL[i] = music[2 * i] / 32768.0f;
        inR[i] = music[2 * i + 1] / 32768.0f;
    }
    float surround = 1, presetValue = float(preset), qualityValue = float(quality), mute = 0, latency = 0;
    const LV2_Feature* none[] = {nullptr};
    LV2_Handle h = d->instantiate(d, 44100.0, "", none);
    using namespace lv2;
    d->connect_port(h, SurroundOn, &surround);
    d->connect_port(h, Preset, &presetValue);
    d->connect_port(h, Quality, &qualityValue);
    d->connect_port(h, Mute, &mute);
    d->connect_port(h, Latency, &latency);
    d->activate(h);
    for (auto _ : state) {
        for (std::size_t done = 0; done < programmeFrames; done += cycleFrames) {
            const std::size_t n = std::min(cycleFrames, programmeFrames - done);
            d->connect_port(h, InLeft, &inL[done]);
            d->connect_port(h, InRight, &inR[done]);
            d->connect_port(h, OutLeft, &outL[done]);
            d->connect_port(h, OutRight, &outR[done]);
            d->run(h, static_cast<uint32_t>(n));
        }
        benchmark::DoNotOptimize(outL.data());
    }
    d->cleanup(h);
    countRealTime(state);
}

[[maybe_unused]] const bool registered = [] {
    for (int p = 0; p < int(presetNames.size()); ++p) {
        for (int q = 0; q < int(qualityNames.size()); ++q) {
            const std::string suffix = std::string(presetNames[p].name) + "/" + std::string(qualityNames[q].name);
            benchmark::RegisterBenchmark(("DspChain/" + suffix).c_str(), chain,
                                         presetNames[p].flag | qualityNames[q].flag)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Lv2Plugin/" + suffix).c_str(), plugin, p, q)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace tevaro::dsp
BENCHMARK_MAIN();
