#include "classic_viz/framework/spectrum_analysis.h"

#include <algorithm>

namespace tevaro::viz {

namespace {
constexpr int TakenEntries = 255;
constexpr int MaxEntries = 512;
}  // namespace

void SpectrumAnalysis::reduceSpectrum(std::uint8_t* bins) {
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* quad = bins + 4 * i;
        bins[i] = std::max(std::max(quad[0], quad[1]), std::max(quad[2], quad[3]));
    }
}

void SpectrumAnalysis::frame(std::uint8_t* bins, RandomSource& random) {
    reduceSpectrum(bins);
    if (frameSkipCounter == 0 || settings.frameSkip == 0) audioUpdate(bins, random);
    if (frameSkipCounter == 0)
        frameSkipCounter = settings.frameSkip;
    else
        --frameSkipCounter;
}

void SpectrumAnalysis::audioUpdate(const std::uint8_t* bins, RandomSource& random) {
    source = 0;
    binCount = TakenEntries;
    buffers[0][TakenEntries] = 0;
    takeBins(bins, random);
    if (settings.scatterMode == 2) scatterRuns(bins, random);
    runChain();
}

void SpectrumAnalysis::takeBins(const std::uint8_t* bins, RandomSource& random) {
    SpectrumBuffer& out = buffers[0];
    int levelSum = 0;
    for (int i = 0; i < TakenEntries; ++i) {
        // Entry i follows bin i + 1: bin 0 carries the DC offset, not music.
        if (settings.orderMode == 2)
            out[TakenEntries - i] = bins[i + 1];
        else if (settings.scatterMode == 0)
            out[i] = bins[i + 1];
        else
            out[i] = bins[random.masked(255)];
        levelSum += bins[i];
    }
    updateLevel(levelSum);
}

void SpectrumAnalysis::updateLevel(int levelSum) {
    level = std::min(levelSum / 106, 255);
    historyIndex = historyIndex == 9 ? 0 : historyIndex + 1;
    levelHistory[historyIndex] = level;
    int sum = 0;
    for (int v : levelHistory) sum += v;
    averageLevel = sum / 10;
}

void SpectrumAnalysis::scatterRuns(const std::uint8_t* bins, RandomSource& random) {
    SpectrumBuffer& out = buffers[0];
    int written = 0;
    while (written < TakenEntries) {
        int start = random.masked(255);
        const int length = random.masked(15);
        if (start + length >= TakenEntries) start = length;
        for (int j = 0; j <= length && written < TakenEntries; ++j) out[written++] = bins[start + j];
    }
}

void SpectrumAnalysis::runChain() {
    mirror();
    resample();
    copyBack();
    applyGain();
    smooth();
    blend();
}

void SpectrumAnalysis::mirror() {
    if (!mirrors(settings.orderMode)) return;
    const SpectrumBuffer& in = buffers[0];
    SpectrumBuffer& out = buffers[1];
    // Low frequencies meet in the middle: 255 entries reversed, then the same 255 forwards.
    for (int i = 0; i < binCount; ++i) {
        out[TakenEntries + i] = in[i];
        out[i] = in[TakenEntries - i];
    }
    source = 1;
    binCount = MaxEntries;
}

void SpectrumAnalysis::resample() {
    const int factor = settings.resampleFactor;
    if (factor == 255) return;
    const int destination = source == 1 ? 2 : 1;
    const SpectrumBuffer& in = buffers[source];
    SpectrumBuffer& out = buffers[destination];
    std::uint32_t accumulator = 0;

    if (factor < 255) {
        // Compress: the accumulator steps with every input entry after the first, and an entry whose
        // step wraps it is passed over, so f/256 of the entries remain.
        const std::uint32_t step = static_cast<std::uint32_t>(256 - factor) << 24;
        int written = 0;
        out[written++] = in[0];
        for (int position = 1; position < binCount && written < MaxEntries; ++position) {
            const std::uint32_t before = accumulator;
            accumulator += step;
            if (accumulator >= before) out[written++] = in[position];
        }
        binCount = written;
    } else {
        if (binCount >= MaxEntries) return;
        // Stretch: after each entry a midpoint with its second neighbour, unless the accumulator wraps.
        const int capped = std::min(factor, MaxEntries);
        const std::uint32_t step = static_cast<std::uint32_t>(MaxEntries - capped) << 24;
        int written = 0;
        for (int i = 0; i < binCount && written < MaxEntries; ++i) {
            out[written++] = in[i];
            if (i == binCount - 1) break;
            const std::uint32_t before = accumulator;
            accumulator += step;
            if (accumulator >= before) {
                if (written >= MaxEntries) break;
                out[written++] = (in[i] + in[i + 2]) >> 1;
            }
        }
        binCount = written;
    }
    source = destination;
}

void SpectrumAnalysis::copyBack() {
    if (source != 1 && source != 2) return;
    std::copy_n(buffers[source].begin(), MaxEntries + 1, buffers[0].begin());
    source = 0;
}

void SpectrumAnalysis::applyGain() {
    if (settings.gain == 0) return;
    SpectrumBuffer& e = buffers[0];
    for (int i = 0; i < binCount; ++i) {
        if (e[i] != 0) e[i] += settings.gain;
        e[i] = std::clamp(e[i], 0, 255);
    }
}

void SpectrumAnalysis::smooth() {
    const int window = settings.smoothing;
    if (window == 0) return;
    SpectrumBuffer& e = buffers[0];
    // Entry i is counted twice (start value and j = 0); past the end the already averaged entry i
    // stands in for the missing neighbours. A silent stretch decays from its left neighbour.
    for (int i = 0; i < binCount; ++i) {
        int sum = e[i];
        for (int j = 0; j <= window; ++j) {
            const int k = i + j >= binCount ? i : i + j;
            sum += e[k];
            if (i > 0 && sum == 0) {
                sum = static_cast<int>(static_cast<float>(e[i - 1]) * 0.05f);
                e[i] = sum;
            } else {
                e[i] = sum / (window + 1);
            }
        }
        e[i] = std::min(e[i], 255);
    }
}

void SpectrumAnalysis::blend() {
    if (settings.blendPercent == 0) return;
    const int percent = std::clamp(settings.blendPercent, 0, 100);
    SpectrumBuffer& e = buffers[0];
    // One integer division of the weighted sum, so a steady spectrum stays exactly steady.
    for (int i = 0; i <= binCount && i < SpectrumEntries; ++i) {
        e[i] = (previous[i] * percent + e[i] * (100 - percent)) / 100;
        previous[i] = e[i];
    }
}

void SpectrumAnalysis::resetForLayout() {
    settings = AnalysisSettings{};
    levelHistory.fill(0);
    previous.fill(0);
}

void SpectrumAnalysis::resetAll() { *this = SpectrumAnalysis(mirrorsOrderNine_); }

}  // namespace tevaro::viz
