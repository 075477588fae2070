// One Render per iteration of the block and bar effects (audio update, frame sequence with the
// spectrum painter, presentation), per preset, at the default window and at 1280 x 720.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "bench/classic_viz/busy_spectrum.h"
#include "classic_viz/emberlux/emberlux_scene.h"
#include "classic_viz/framework/effect_core.h"
#include "classic_viz/tessaray/tessaray_archive.h"
#include "classic_viz/tessaray/tessaray_scene.h"
#include "classic_viz/throbwave/pulse_archive.h"
#include "classic_viz/throbwave/throbwave_scene.h"

namespace {

using namespace tevaro::viz;

template <typename Script>
EffectDescription describe() {
    if constexpr (std::is_same_v<Script, TessarayScene>)
        return tessarayDescription(tessarayArchive, tessarayArchiveSize);
    else
        return pulseDescription(pulseArchive, pulseArchiveSize);
}

template <typename Script>
void renderEffect(benchmark::State& state) {
    const int preset = static_cast<int>(state.range(0));
    const int width = static_cast<int>(state.range(1)), height = static_cast<int>(state.range(2));
    RandomSource random;
    Script script;
    const EffectDescription description = describe<Script>();
    EffectCore effect(description, script, random);
    effect.setCurrentPreset(preset);
    PresentedImage out;
    std::array<std::uint8_t, SpectrumBins> bins{};
    int frame = 0;
    for (; frame < 30; ++frame) {  // past the set-up and the first edge passes
        bench::busySpectrum(frame, bins);
        effect.render(bins.data(), RenderRect{0, 0, width, height}, 32, out);
    }
    for (auto _ : state) {
        bench::busySpectrum(frame++, bins);
        effect.render(bins.data(), RenderRect{0, 0, width, height}, 32, out);
        benchmark::DoNotOptimize(out.bits.data());
    }
}

void windows(benchmark::internal::Benchmark* b) {
    b->ArgNames({"preset", "w", "h"});
    for (int preset = 0; preset < 3; ++preset) b->Args({preset, 350, 320})->Args({preset, 1280, 720});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(renderEffect<TessarayScene>)->Name("renderTessaray")->Apply(windows);
BENCHMARK(renderEffect<ThrobwaveScene>)->Name("renderThrobwave")->Apply(windows);
BENCHMARK(renderEffect<EmberluxScene>)->Name("renderEmberlux")->Apply(windows);

}  // namespace
