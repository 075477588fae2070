#include "dsp/engine/virtualiser_stage.h"

#include <algorithm>

#include "dsp/engine/sample_convert.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

struct PresetRow {
    std::uint32_t flag;
    VirtualiserChoice max, mid, min;  // set, taps and gain per quality
};

using Mode = VirtualiserChoice::Mode;

// Presets are tested in this order, so a word with several preset bits takes the first.
const PresetRow presetRows[] = {
    {FlagRockPop,
     {Mode::filter, &frontRockPop128, 128, 2.5, true},
     {Mode::filter, &frontRockPop96, 96, 2.1, true},
     {Mode::filter, &frontRockPop72, 72, 2.0, false}},
    {FlagClassic,
     {Mode::filter, &frontClassic, 127, 2.0, true},
     {Mode::filter, &frontClassic, 72, 2.0, true},
     {Mode::filter, &frontClassic, 72, 1.5, false}},
    {FlagJazz,
     {Mode::filter, &frontJazz128, 128, 2.5, true},
     {Mode::filter, &frontJazz96, 96, 2.1, true},
     {Mode::filter, &frontJazz72, 72, 2.0, false}},
    {FlagMovie,
     {Mode::filter, &frontMovie, 127, 2.5, true},
     {Mode::filter, &frontMovie, 72, 2.5, true},
     {Mode::filter, &frontMovie, 72, 2.0, false}},
};

constexpr std::size_t chunkFrames = 64;  // stack scratch per chunk: 6 x 64 doubles

}  // namespace

VirtualiserChoice chooseVirtualiser(std::uint32_t word) {
    for (const PresetRow& row : presetRows) {
        if (!(word & row.flag)) continue;
        VirtualiserChoice choice = (word & FlagQualityMax) ? row.max : (word & FlagQualityMid) ? row.mid : row.min;
        // Min discards the earlier stages whatever other quality bit the word carries.
        choice.addsEarlierStages = !(word & FlagQualityMin);
        return choice;
    }
    VirtualiserChoice choice;
    choice.mode = (word & FlagNeutral) ? Mode::neutral : Mode::passThrough;
    return choice;
}

void VirtualiserStage::reset() {
    left_.reset();
    right_.reset();
    leftToLeft_ = leftToRight_ = rightToLeft_ = rightToRight_ = 0.0;
}

void VirtualiserStage::process(std::uint32_t word, const std::int16_t* in, std::int16_t* out, std::size_t samples) {
    processWith(bestFirPairKernel(), word, in, out, samples);
}

void VirtualiserStage::processWith(FirPairKernel kernel, std::uint32_t word, const std::int16_t* in, std::int16_t* out,
                                   std::size_t samples) {
    const std::size_t frames = samples / 2;
    if (frames == 0) return;
    const VirtualiserChoice choice = chooseVirtualiser(word);

    // Only the filters move the lines: without them the history stands still, and a later
    // filtering call goes on from where the last one stopped.
    if (choice.mode == Mode::neutral) return;  // the output is what the earlier stages wrote
    if (choice.mode == Mode::passThrough) {
        std::copy(in, in + 2 * frames, out);
        leftToLeft_ = in[2 * frames - 2];
        leftToRight_ = in[2 * frames - 1];
        rightToLeft_ = rightToRight_ = 0.0;
        return;
    }

    const FirPairTaps taps{
        choice.taps, {choice.set->filter(0), choice.set->filter(1), choice.set->filter(2), choice.set->filter(3)}};
    double xLeft[chunkFrames], xRight[chunkFrames];
    double ll[chunkFrames], lr[chunkFrames], rl[chunkFrames], rr[chunkFrames];
    for (std::size_t start = 0; start < frames; start += chunkFrames) {
        const std::size_t count = std::min(chunkFrames, frames - start);
        const std::int16_t* src = in + 2 * start;
        std::int16_t* dst = out + 2 * start;
        for (std::size_t f = 0; f < count; ++f) {
            xLeft[f] = choice.gain * static_cast<double>(src[2 * f]);
            xRight[f] = choice.gain * static_cast<double>(src[2 * f + 1]);
        }
        kernel(left_, right_, taps, xLeft, xRight, FirPairSums{ll, lr, rl, rr}, count);
        for (std::size_t f = 0; f < count; ++f) {
            const double d = choice.addsEarlierStages ? dst[2 * f] : 0.0;
            const double e = choice.addsEarlierStages ? dst[2 * f + 1] : 0.0;
            dst[2 * f] = toSample(ll[f] + rl[f] + d);
            dst[2 * f + 1] = toSample(lr[f] + rr[f] + e);
        }
        leftToLeft_ = ll[count - 1];
        leftToRight_ = lr[count - 1];
        rightToLeft_ = rl[count - 1];
        rightToRight_ = rr[count - 1];
    }
}

}  // namespace tevaro::dsp
