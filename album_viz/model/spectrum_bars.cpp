#include "album_viz/model/spectrum_bars.h"

#include <algorithm>

namespace tevaro::album {

namespace {

// One block row: drawn above a level, lit in its own colour above a raw value (else the weak
// cyan block), and pulling the peak marker up to its clamp.
struct BlockRow {
    std::int32_t levelAbove;
    int y;
    BarImage lit;
    std::int32_t rawAbove;
    float peakClamp;
};
constexpr BlockRow Blocks[] = {
    {4, 75, BarImage::Block1A, 39, 70.0f},    {39, 63, BarImage::Block2A, 79, 57.0f},
    {79, 50, BarImage::Block3A, 99, 45.0f},   {119, 38, BarImage::Block4A, 109, 33.0f},
    {149, 26, BarImage::Block5A, 119, 21.0f}, {179, 14, BarImage::Block6A, 129, 10.0f},
};

struct ReflectionRow {
    std::int32_t levelAbove;
    int y;
    BarImage image;
};
constexpr ReflectionRow Reflections[] = {{4, 90, BarImage::R1}, {79, 100, BarImage::R2}, {99, 110, BarImage::R3}};

}  // namespace

BarCanvasSize barCanvasSize(bool large) { return large ? BarCanvasSize{1200, 244, 2} : BarCanvasSize{600, 122, 1}; }

int barBandHeight(int renderWidth, int renderHeight) { return std::min(renderWidth * 122 / 600, renderHeight / 2); }

void SpectrumBars::reset() {
    std::fill(level_, level_ + BarSlots + 1, 0);
    std::fill(raw_, raw_ + BarSlots + 1, 0);
    std::fill(peak_, peak_ + BarSlots + 1, PeakRest);
}

bool SpectrumBars::update(const AudioFrame& audio, const BarInputs& in) {
    ++frameCounter_;
    if (frameCounter_ % 2 != 0 || !(settling_ || audio.activity > 0)) return false;
    if (audio.activity > 0) {
        settling_ = 1;
    } else if (std::all_of(peak_ + 1, peak_ + BarSlots + 1, [](float p) { return p >= PeakRest; })) {
        settling_ = 0;
        reset();
    }
    // Large bars cost four times the pixels: chosen only above 800 × 600 at a good rate, kept
    // down to 16 frames per second, dropped at 15.
    if (in.renderWidth > 800 && in.renderHeight > 600 && in.smoothedRate > 15.0f) {
        if (!large_ && in.smoothedRate > 17.0f) large_ = 1;
    } else {
        large_ = 0;
    }
    const bool draw = !in.barsHidden;
    for (int b = 1; b <= BarSlots; ++b)
        if (peak_[b] < PeakRest) lastActivityMs_ = in.nowMs;
    return draw;
}

void SpectrumBars::advance(const AudioFrame& audio, bool large, BarDrawList& out) {
    out.count = 0;
    const int q = large ? 2 : 1;
    for (int b = 1; b <= ShownBarLast; ++b) {
        if (b == 19 || b == 20) continue;
        if (b <= 18) {
            const std::int32_t v = audio.left[9 * b + 1];
            level_[b] = level_[b] > v ? std::int32_t(level_[b] * 0.95) : v;
            raw_[b] = v;
        } else {
            // The right half falls from the last raw value, the left half from the shown level.
            const std::int32_t v = audio.right[354 - 9 * b];
            level_[b] = level_[b] > v ? std::int32_t(raw_[b] * 0.95) : v;
            raw_[b] = v;
        }
        const int x = 15 * q * b + 2;
        const std::int32_t level = level_[b];
        if (level > 4) {
            for (const ReflectionRow& r : Reflections) {
                if (!(level > r.levelAbove)) break;
                out.add(r.image, x, r.y * q, true);
            }
            for (const BlockRow& row : Blocks) {
                if (!(level > row.levelAbove)) break;
                out.add(raw_[b] > row.rawAbove ? row.lit : BarImage::Block1B, x, row.y * q);
                peak_[b] = std::min(peak_[b], row.peakClamp);
            }
        }
        peak_[b] = peak_[b] < PeakRest ? float(peak_[b] * 1.015 + 0.7) : PeakRest;
        const int y = large ? 2 * int(peak_[b]) - 16 : int(peak_[b]) - 8;
        if (y >= -3) {
            out.add(BarImage::Peak, x, y);
            if (peak_[b] == PeakRest) out.add(BarImage::RPeak, x, 90 * q, true);
        }
    }
}

}  // namespace tevaro::album
