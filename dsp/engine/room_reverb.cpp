#include "dsp/engine/room_reverb.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "dsp/engine/sample_convert.h"
#include "dsp/engine/staggered_loop.h"
#include "dsp/engine/stereo_pair.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

// Coefficients of the output taps: left sum on taps 26, 28, ..., 54, right sum on 27, 29, ..., 55.
constexpr int firstWetTap = 26;
constexpr int wetTerms = 15;
const DoublePair wetCoefs[wetTerms] = {{0.5, -0.5}, {0.5, 0.38},  {0.38, 0.5}, {0.5, -0.5},  {0.38, 0.38},
                                       {0.5, -0.5}, {-0.5, 0.38}, {0.5, 0.5},  {-0.5, -0.5}, {0.38, 0.38},
                                       {0.5, -0.5}, {-0.5, 0.38}, {0.38, 0.5}, {-0.5, -0.5}, {0.38, 0.38}};

using FloatQuad = float __attribute__((vector_size(16)));
using DoubleQuad = double __attribute__((vector_size(32)));

// One side's terms of four consecutive frames, as two pairs of lanes (frames 0 and 1, 2 and 3).
struct WidenedQuad {
    DoublePair first, second;

    WidenedQuad& operator+=(const WidenedQuad& term) {
        first += term.first;
        second += term.second;
        return *this;
    }
    void store(double* frame0) const {
        std::memcpy(frame0, &first, sizeof first);
        std::memcpy(frame0 + 2, &second, sizeof second);
    }
};

// c times four consecutive slots of one tap. The four floats are loaded and widened as one
// vector: GCC turns a two-float load into two scalar conversions.
inline WidenedQuad scaledQuad(double c, const float* slot) {
    FloatQuad q;
    std::memcpy(&q, slot, sizeof q);
    const DoubleQuad w = __builtin_convertvector(q, DoubleQuad);
    return {c * __builtin_shufflevector(w, w, 0, 1), c * __builtin_shufflevector(w, w, 2, 3)};
}

// The all-pass that closes each tank stage, both sides side by side: it reads its delayed value
// from the pass taps and writes its output to the ring taps. Returns the inner value as stored.
struct TankAllpass {
    float* ringLeft;
    float* ringRight;
    float* passLeft;
    float* passRight;

    DoublePair operator()(double a, std::size_t i, DoublePair x) const {
        const DoublePair pass = roundToFloat(-a * x + DoublePair{passLeft[i], passRight[i]});
        const FloatPair ring = toFloatPair(a * pass + x);
        ringLeft[i] = ring[0];
        ringRight[i] = ring[1];
        passLeft[i] = static_cast<float>(pass[0]);
        passRight[i] = static_cast<float>(pass[1]);
        return pass;
    }
};

}  // namespace

void RoomReverb::initialise() {
    inputLeft = inputRight = scaledLeft = scaledRight = 0;
    workA = workB = 0.0f;
    diffuseGain1 = 0.625f;
    diffuseGain2 = 0.5625f;
    damping = 0.4f;
    outputSmoothing = 0.26f;
    slowCoef = static_cast<float>(1.0 / 45.0);
    slowGain = 0.4f;
    tankGain = 0.4f;
    earlyGain2 = earlyGain1 = 0.7f;
    preDelay = 660;
    spread = 7.0f;
    sizeA = 100;
    sizeB = 256;
    sizeBase = 28;
    dry = 0.9f;
    wet = 0.1f;
    feedback = 0.546875f;
    inputGain = 0.7f;
    earlyBase[0] = 0;
    earlyBase[1] = 871;
    earlyBase[2] = 2395;
    earlyBase[3] = 4497;
    lowPassLeft = lowPassRight = 0.0f;
    smoothWetLeft = smoothWetRight = 0.0f;
    slowFollower = 0.0f;
    wetSumLeft = wetSumRight = 0.0f;
    memorySize = memorySlots;
    std::fill_n(memory, memorySlots, 0.0f);
    tapCount = taps;
    head = 0;
    computeTaps();
}

void RoomReverb::computeTaps() {
    // Early taps: the base distances scaled by the room size, behind the pre-delay.
    const auto scaled = [this](int base) { return base * (sizeBase + sizeA) / (sizeBase + sizeB); };
    int p[taps];
    p[0] = 0;
    p[1] = 8138;
    p[2] = p[0] + preDelay + scaled(earlyBase[2]);
    p[3] = p[0] + preDelay + scaled(earlyBase[0]);
    p[4] = 7138;
    p[5] = p[4] + 880;
    p[6] = p[1] + preDelay + scaled(earlyBase[3]);
    p[7] = p[1] + preDelay + scaled(earlyBase[1]);
    p[8] = p[1] + 7138;
    p[9] = p[8] + 880;
    p[10] = p[1] + 8138;
    // Input all-pass segments (315, 518 left; 273, 434 right once stretched).
    p[11] = p[10] + 45;
    p[12] = p[11] + 74;
    p[13] = p[12] + 39;
    p[14] = p[13] + 62;
    // The ring: tank stage outputs.
    p[15] = p[14] + 850;
    p[16] = p[15] + 850;
    p[17] = p[16] + 728;
    p[18] = p[17] + 1012;
    p[19] = p[18] + 850;
    // Tank all-pass segments behind each stage.
    const int allpassOffsets[6] = {129, 228, 285, 117, 226, 428};
    for (int i = 0; i < 6; ++i) p[20 + i] = p[14 + i] + allpassOffsets[i];
    // Output taps of the left wet sum region, then of the right.
    const int leftOutputs[14] = {154, 336, 456, 601, 744, 915, 1068, 1222, 1466, 1683, 1761, 1971, 2160, 2339};
    for (int i = 0; i < 14; ++i) p[26 + i] = p[14] + leftOutputs[i];
    const int rightOutputs[16] = {67,   155,  412,  567,  766,  944,  1049, 1227,
                                  1399, 1586, 1756, 1899, 2065, 2250, 2427, 2574};
    for (int i = 0; i < 16; ++i) p[40 + i] = p[17] + rightOutputs[i];
    p[56] = p[19] + 850;

    for (int k = 0; k < taps; ++k) {
        position[k] = static_cast<std::int16_t>(p[k]);
        const double stretched = k < 10 ? p[k] : p[10] + (p[k] - p[10]) * static_cast<double>(spread);
        distance[k] = static_cast<std::uint16_t>(static_cast<int>(stretched));
    }

    // Two different taps address the same slot only at frames as far apart as the taps. Within
    // a run shorter than the closest two taps, the order in which the loops of a run touch the
    // slots (each step of a frame as its own loop, some a frame behind the others) is then the
    // frame-by-frame order for every slot that two accesses share. A run of one frame is that
    // order whatever the taps.
    int lag = static_cast<int>(maxRunFrames);
    for (int j = 0; j < taps; ++j) {
        for (int k = j + 1; k < taps; ++k) lag = std::min(lag, std::abs(distance[j] - distance[k]));
    }
    runLimit = static_cast<std::uint16_t>(std::max(lag, 1));
}

void RoomReverb::configure(std::uint32_t settingsWord) {
    const bool largeRoom = (settingsWord & FlagRockPop) != 0 && (settingsWord & FlagQualityMax) != 0;
    wet = largeRoom ? 0.15f : 0.1f;
    feedback = largeRoom ? 0.625f : 0.546875f;
    // Kept for the record only: the taps were placed at initialisation and stay where they are.
    preDelay = largeRoom ? 1320 : 660;
    sizeA = 100;
}

void RoomReverb::process(std::size_t samples, const std::int16_t* in, std::int16_t* out) {
    const std::size_t frames = samples >> 1;
    for (std::size_t done = 0; done < frames;) {
        // The next frame's slot of every tap, and how many frames run before the first of them
        // wraps: up to there each tap is a plain pointer advancing one slot per frame.
        float* slots[taps];
        std::size_t run = std::min<std::size_t>(frames - done, runLimit);
        const std::uint32_t next = head + 1;
        for (int k = 0; k < taps; ++k) {
            const std::uint32_t index = (next - distance[k]) & (memorySlots - 1);
            slots[k] = memory + index;
            run = std::min<std::size_t>(run, memorySlots - index);
        }
        processRun(in + 2 * done, out + 2 * done, run, slots);
        done += run;
    }
}

// The frame work is split into loops, each over all frames of the run: the input diffusers,
// the three tank stages, the wet sums, the output. Each loop carries at most one smoother from
// frame to frame, so the processor overlaps many frames of it, where one long loop body would
// leave each frame's long chain of dependent steps little to overlap with. The loops meet only
// through the memory, through taps further apart than a run is long (runLimit), so each reads
// what it would have read frame by frame. Each value is rounded exactly as a float field
// stores it.
void RoomReverb::processRun(const std::int16_t* in, std::int16_t* out, std::size_t frames, float* const* slots) {
    const double a = tankGain;
    const double f = feedback;

    // The input diffusers, both sides side by side, lane for lane the arithmetic of each side.
    // The sides touch different taps, so only the order within a side matters: every tap an
    // input diffuser reads is read before any is written (the left's second all-pass reads tap
    // 12, which the right's first one overwrites).
    {
        const double g1 = diffuseGain1;
        const double g2 = diffuseGain2;
        const double gainIn = inputGain;
        float* const t0 = slots[0];
        float* const t1 = slots[1];
        float* const t10 = slots[10];
        float* const t11 = slots[11];
        float* const t12 = slots[12];
        float* const t13 = slots[13];
        const float* const t14 = slots[14];
        // The scaled input first: the conversions to integer and back are a long chain of
        // dependent steps that would hold up the all-passes of every frame.
        DoublePair scaledInput[maxRunFrames];
        for (std::size_t i = 0; i < frames; ++i) {
            scaledInput[i] =
                DoublePair{static_cast<double>(static_cast<std::int16_t>(static_cast<int>(in[2 * i] * gainIn))),
                           static_cast<double>(static_cast<std::int16_t>(static_cast<int>(in[2 * i + 1] * gainIn)))};
        }
        for (std::size_t i = 0; i < frames; ++i) {
            const DoublePair scaled = scaledInput[i];
            const DoublePair diffuse1 = {t11[i], t13[i]};
            const DoublePair diffuse2 = {t12[i], t14[i]};
            const DoublePair in1 = roundToFloat(-g1 * scaled + diffuse1);
            const FloatPair out1 = toFloatPair(g1 * in1 + scaled);
            const FloatPair in2 = toFloatPair(-g2 * in1 + diffuse2);
            const FloatPair out2 = toFloatPair(g2 * widen(in2) + in1);
            t10[i] = out1[0];
            t12[i] = out1[1];
            t11[i] = out2[0];
            t13[i] = out2[1];
            t0[i] = in2[0];
            t1[i] = in2[1];
        }
        inputLeft = in[2 * frames - 2];
        inputRight = in[2 * frames - 1];
        scaledLeft = static_cast<std::int16_t>(static_cast<int>(inputLeft * gainIn));
        scaledRight = static_cast<std::int16_t>(static_cast<int>(inputRight * gainIn));
    }

    // Tank stage 1: the damped input of each side.
    {
        const double early2 = earlyGain2;
        const double damp = damping;
        const float* const t2 = slots[2];
        const float* const t6 = slots[6];
        const float* const t56 = slots[56];
        const float* const t17 = slots[17];
        const TankAllpass allpass{slots[14], slots[17], slots[20], slots[23]};
        DoublePair low = widen(loadPair(&lowPassLeft));
        const auto damped = [&](std::size_t i) {
            const DoublePair stage1 = roundToFloat(early2 * DoublePair{t2[i], t6[i]} + f * DoublePair{t56[i], t17[i]});
            low = roundToFloat((1.0 - damp) * low + damp * stage1);
            return low;
        };
        const auto ring = [&](std::size_t i, DoublePair damped) { allpass(a, i, damped); };
        // A frame's all-pass runs one loop pass after its damping: the damping chain runs on.
        staggered(frames, damped, ring);
        storePair(&lowPassLeft, toFloatPair(low));
    }

    // Stage 2: the left side adds its slow follower.
    {
        const double early1 = earlyGain1;
        const double slowK = slowCoef;
        const double slowG = slowGain;
        const float* const t3 = slots[3];
        const float* const t7 = slots[7];
        const float* const t15 = slots[15];
        const float* const t18 = slots[18];
        const TankAllpass allpass{slots[15], slots[18], slots[21], slots[24]};
        double follower = slowFollower;
        const auto follow = [&](std::size_t i) {
            follower = toFloat((1.0 - slowK) * follower + slowK * t15[i]);
            return follower;
        };
        const auto ring = [&](std::size_t i, double followed) {
            const DoublePair stage2 =
                roundToFloat(DoublePair{f * t15[i] + slowG * followed + early1 * t3[i], early1 * t7[i] + f * t18[i]});
            allpass(a, i, stage2);
        };
        staggered(frames, follow, ring);
        slowFollower = static_cast<float>(follower);
    }

    // Stage 3.
    {
        const float* const t16 = slots[16];
        const float* const t19 = slots[19];
        const TankAllpass allpass{slots[16], slots[19], slots[22], slots[25]};
        DoublePair stage3 = {0.0, workB}, pass3 = {0.0, workA};
        for (std::size_t i = 0; i < frames; ++i) {
            stage3 = roundToFloat(f * DoublePair{t16[i], t19[i]});
            pass3 = allpass(a, i, stage3);
        }
        // The intermediates as the right side's last stage leaves them.
        workA = static_cast<float>(pass3[1]);
        workB = static_cast<float>(stage3[1]);
    }

    // The wet sums of the run, each lane the sequence c1 t1 + c2 t2 + ... of one frame (a
    // subtracted term is the same as an added one with a negated coefficient). The output taps
    // read slots that no tank write of this run reaches (the run is no longer than runLimit), so
    // they read what they would have read frame by frame; consecutive frames share the lanes.
    double wetLeft[maxRunFrames], wetRight[maxRunFrames];
    std::size_t i = 0;
    for (; i + 4 <= frames; i += 4) {
        WidenedQuad left = scaledQuad(wetCoefs[0][0], slots[firstWetTap] + i);
        WidenedQuad right = scaledQuad(wetCoefs[0][1], slots[firstWetTap + 1] + i);
#pragma GCC unroll 16
        for (int t = 1; t < wetTerms; ++t) {
            left += scaledQuad(wetCoefs[t][0], slots[firstWetTap + 2 * t] + i);
            right += scaledQuad(wetCoefs[t][1], slots[firstWetTap + 2 * t + 1] + i);
        }
        left.store(wetLeft + i);
        right.store(wetRight + i);
    }
    for (; i < frames; ++i) {
        double left = wetCoefs[0][0] * slots[firstWetTap][i];
        double right = wetCoefs[0][1] * slots[firstWetTap + 1][i];
        for (int t = 1; t < wetTerms; ++t) {
            left += wetCoefs[t][0] * slots[firstWetTap + 2 * t][i];
            right += wetCoefs[t][1] * slots[firstWetTap + 2 * t + 1][i];
        }
        wetLeft[i] = left;
        wetRight[i] = right;
    }

    const double smoothK = outputSmoothing;
    const double wetGain = wet;
    const double dryGain = dry;
    DoublePair sums = widen(loadPair(&wetSumLeft)), smooth = widen(loadPair(&smoothWetLeft));
    // The mix of a frame runs one loop pass after its smoothing: the smoothing chain then runs on
    // without waiting.
    const auto mix = [&](std::size_t j, DoublePair smoothed) {
        // -32767, not -32768: the output stays symmetric around zero.
        const FloatPair mixed =
            toFloatPair(wetGain * smoothed + dryGain * DoublePair{double(in[2 * j]), double(in[2 * j + 1])});
        out[2 * j] = toSampleSymmetric(mixed[0]);
        out[2 * j + 1] = toSampleSymmetric(mixed[1]);
    };
    for (i = 0; i < frames; ++i) {
        const DoublePair previous = smooth;
        sums = roundToFloat(DoublePair{wetLeft[i], wetRight[i]});
        smooth = roundToFloat(smoothK * sums + (1.0 - smoothK) * smooth);
        if (i > 0) mix(i - 1, previous);
    }
    mix(frames - 1, smooth);
    storePair(&wetSumLeft, toFloatPair(sums));
    storePair(&smoothWetLeft, toFloatPair(smooth));
    head += static_cast<std::uint32_t>(frames);
}

}  // namespace tevaro::dsp
