// One Render of the star field per iteration (audio update, frame sequence, presentation), per
// preset and window, and the presentation step on its own.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/glintora/glintora_archive.h"
#include "classic_viz/glintora/glintora_scene.h"
#include "bench/classic_viz/busy_spectrum.h"

namespace {

using namespace tevaro::viz;

using bench::busySpectrum;

void renderGlintora(benchmark::State& state) {
    const int preset = static_cast<int>(state.range(0));
    const int width = static_cast<int>(state.range(1)), height = static_cast<int>(state.range(2));
    RandomSource random;
    GlintoraScene script;
    const EffectDescription description = glintoraDescription(glintoraArchive, glintoraArchiveSize);
    EffectCore effect(description, script, random);
    effect.setCurrentPreset(preset);
    PresentedImage out;
    std::array<std::uint8_t, SpectrumBins> bins{};
    int frame = 0;
    for (; frame < 30; ++frame) {  // past the set-up and the first ground build
        busySpectrum(frame, bins);
        effect.render(bins.data(), RenderRect{0, 0, width, height}, 32, out);
    }
    for (auto _ : state) {
        busySpectrum(frame++, bins);
        effect.render(bins.data(), RenderRect{0, 0, width, height}, 32, out);
        benchmark::DoNotOptimize(out.bits.data());
    }
    state.counters["canvas_px"] = effect.scene.canvasWidth() * effect.scene.canvasHeight();
}
BENCHMARK(renderGlintora)
    ->ArgNames({"preset", "w", "h"})
    ->Args({0, 350, 320})
    ->Args({1, 350, 320})
    ->Args({2, 350, 320})
    ->Args({0, 640, 480})
    ->Args({1, 640, 480})
    ->Args({2, 640, 480})
    ->Args({0, 1280, 720})
    ->Args({1, 1280, 720})
    ->Args({2, 1280, 720})
    ->Unit(benchmark::kMillisecond);

void presentCanvas(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const int depth = static_cast<int>(state.range(2));
    std::vector<Pixel> canvas(350 * 320);
    for (std::size_t i = 0; i < canvas.size(); ++i) canvas[i] = static_cast<Pixel>(i * 2654435761u);
    Presenter presenter;
    PresentedImage out;
    for (auto _ : state) {
        presenter.present(canvas.data(), 350, 320, width, height, depth, false, out);
        benchmark::DoNotOptimize(out.bits.data());
    }
}
BENCHMARK(presentCanvas)
    ->ArgNames({"w", "h", "depth"})
    ->Args({350, 320, 32})
    ->Args({640, 480, 32})
    ->Args({1280, 720, 32})
    ->Args({1280, 720, 24})
    ->Args({1280, 720, 16})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
