// The processor's share of a CoverDrift frame: the background copied into the back buffer and the
// back buffer converted into DIB rows for the player's DC, at the default and a large window.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "album_viz/framework/frame_copy.h"

namespace {

using tevaro::album::SurfaceFormat;

void frameShare(benchmark::State& state, SurfaceFormat backBuffer, int dcBits) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const int bytesPerPixel = backBuffer == SurfaceFormat::Argb32 ? 4 : 2;
    std::vector<std::uint32_t> background(std::size_t(w) * h);
    for (std::size_t i = 0; i < background.size(); ++i) background[i] = 0xFF000000u | std::uint32_t(i * 2654435761u);
    const std::size_t pitch = std::size_t(w) * bytesPerPixel;
    std::vector<std::uint8_t> surface(pitch * h);
    std::vector<std::uint8_t> dib(std::size_t(w) * h * 4);
    for (auto _ : state) {
        tevaro::album::argbToSurface(background.data(), w, h, surface.data(), pitch, backBuffer);
        tevaro::album::backBufferToDib(surface.data(), pitch, backBuffer, w, h, dcBits, dib.data());
        benchmark::DoNotOptimize(dib.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void sizes(benchmark::internal::Benchmark* b) { b->Args({350, 320})->Args({1280, 720})->Unit(benchmark::kMillisecond); }

}  // namespace

BENCHMARK_CAPTURE(frameShare, argb32_to_dc32, SurfaceFormat::Argb32, 32)->Apply(sizes);
BENCHMARK_CAPTURE(frameShare, argb32_to_dc24, SurfaceFormat::Argb32, 24)->Apply(sizes);
BENCHMARK_CAPTURE(frameShare, argb32_to_dc16, SurfaceFormat::Argb32, 16)->Apply(sizes);
BENCHMARK_CAPTURE(frameShare, rgb565_to_dc16, SurfaceFormat::Rgb565, 16)->Apply(sizes);
BENCHMARK_MAIN();
