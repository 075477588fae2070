#include "dsp/engine/room_reverb.h"

#include <algorithm>
#include <cstring>

#include "dsp/engine/sample_convert.h"
#include "dsp/engine/stereo_pair.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

// Coefficients of the output taps: left sum on taps 26, 28, ..., 54, right sum on 27, 29, ..., 55.
constexpr int firstWetTap = 26;
constexpr int wetTerms = 15;
// The taps written each frame: the input diffusers and the tank stages.
constexpr int writtenTaps[] = {0, 1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
const DoublePair wetCoefs[wetTerms] = {
    {0.5, -0.5}, {0.5, 0.38},  {0.38, 0.5},  {0.5, -0.5}, {0.38, 0.38}, {0.5, -0.5}, {-0.5, 0.38}, {0.5, 0.5},
    {-0.5, -0.5}, {0.38, 0.38}, {0.5, -0.5}, {-0.5, 0.38}, {0.38, 0.5}, {-0.5, -0.5}, {0.38, 0.38}};

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
    const int rightOutputs[16] = {67, 155, 412, 567, 766, 944, 1049, 1227, 1399, 1586, 1756, 1899, 2065, 2250, 2427, 2574};
    for (int i = 0; i < 16; ++i) p[40 + i] = p[17] + rightOutputs[i];
    p[56] = p[19] + 850;

    for (int k = 0; k < taps; ++k) {
        position[k] = static_cast<std::int16_t>(p[k]);
        const double stretched = k < 10 ? p[k] : p[10] + (p[k] - p[10]) * static_cast<double>(spread);
        distance[k] = static_cast<std::uint16_t>(static_cast<int>(stretched));
    }

    // A slot an output tap reads at frame n is written again through tap j at frame
    // n + distance[j] - distance[k] when tap j lies further along the memory.
    int lag = static_cast<int>(maxRunFrames);
    for (int k = firstWetTap; k < firstWetTap + 2 * wetTerms; ++k) {
        for (const int j : writtenTaps) {
            const int ahead = distance[j] - distance[k];
            if (ahead > 0) lag = std::min(lag, ahead);
        }
    }
    wetLag = static_cast<std::uint16_t>(lag);
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
        std::size_t run = std::min<std::size_t>(frames - done, wetLag);
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

// The state lives in locals for the run: the memory is float too, so every store into it would
// otherwise force the float fields to be reloaded. Each value is rounded exactly as before.
void RoomReverb::processRun(const std::int16_t* in, std::int16_t* out, std::size_t frames, float* const* slots) {
    const double g1 = diffuseGain1;
    const double g2 = diffuseGain2;
    const double a = tankGain;
    const double f = feedback;
    const double early1 = earlyGain1;
    const double early2 = earlyGain2;
    const double damp = damping;
    const double slowK = slowCoef;
    const double slowG = slowGain;
    const double smoothK = outputSmoothing;
    const double gainIn = inputGain;
    const double wetGain = wet;
    const double dryGain = dry;
    std::int16_t inL = inputLeft, inR = inputRight, scaledL = scaledLeft, scaledR = scaledRight;
    float wA = workA, wB = workB;
    FloatPair low = loadPair(&lowPassLeft);
    float follower = slowFollower;
    FloatPair sums = loadPair(&wetSumLeft), smooth = loadPair(&smoothWetLeft);

    for (std::size_t i = 0; i < frames; ++i) {
        const auto tap = [&](int k) -> float& { return slots[k][i]; };
        inL = in[2 * i];
        inR = in[2 * i + 1];
        scaledL = static_cast<std::int16_t>(static_cast<int>(inL * gainIn));
        scaledR = static_cast<std::int16_t>(static_cast<int>(inR * gainIn));

        // Both sides side by side, lane for lane the arithmetic of each side. The sides touch
        // different taps, so only the order within a side matters: every tap an input diffuser
        // reads is read before any is written (the left's second all-pass reads tap 12, which the
        // right's first one overwrites).
        const FloatPair diffuse1 = {tap(11), tap(13)};
        const FloatPair diffuse2 = {tap(12), tap(14)};
        const DoublePair scaled = {static_cast<double>(scaledL), static_cast<double>(scaledR)};
        const DoublePair in1 = widen(toFloatPair(-g1 * scaled + widen(diffuse1)));
        const FloatPair out1 = toFloatPair(g1 * in1 + scaled);
        const FloatPair in2 = toFloatPair(-g2 * in1 + widen(diffuse2));
        const FloatPair out2 = toFloatPair(g2 * widen(in2) + in1);
        tap(10) = out1[0];
        tap(12) = out1[1];
        tap(11) = out2[0];
        tap(13) = out2[1];
        tap(0) = in2[0];
        tap(1) = in2[1];

        // Tank stage 1: the damped input of each side.
        const FloatPair stage1 = toFloatPair(early2 * widen(FloatPair{tap(2), tap(6)}) + f * widen(FloatPair{tap(56), tap(17)}));
        low = toFloatPair((1.0 - damp) * widen(low) + damp * widen(stage1));
        const FloatPair pass1 = toFloatPair(-a * widen(low) + widen(FloatPair{tap(20), tap(23)}));
        const FloatPair ring1 = toFloatPair(a * widen(pass1) + widen(low));
        tap(14) = ring1[0];
        tap(17) = ring1[1];
        tap(20) = pass1[0];
        tap(23) = pass1[1];

        // Stage 2: the left side adds its slow follower.
        follower = toFloat((1.0 - slowK) * follower + slowK * tap(15));
        const FloatPair stage2 = {toFloat(f * tap(15) + slowG * follower + early1 * tap(3)),
                                  toFloat(early1 * tap(7) + f * tap(18))};
        const FloatPair pass2 = toFloatPair(-a * widen(stage2) + widen(FloatPair{tap(21), tap(24)}));
        const FloatPair ring2 = toFloatPair(a * widen(pass2) + widen(stage2));
        tap(15) = ring2[0];
        tap(18) = ring2[1];
        tap(21) = pass2[0];
        tap(24) = pass2[1];

        // Stage 3.
        const FloatPair stage3 = toFloatPair(f * widen(FloatPair{tap(16), tap(19)}));
        const FloatPair pass3 = toFloatPair(-a * widen(stage3) + widen(FloatPair{tap(22), tap(25)}));
        const FloatPair ring3 = toFloatPair(a * widen(pass3) + widen(stage3));
        tap(16) = ring3[0];
        tap(19) = ring3[1];
        tap(22) = pass3[0];
        tap(25) = pass3[1];
        wA = pass3[1];  // the intermediates as the right side's last stage leaves them
        wB = stage3[1];
    }

    // The wet sums of the run, each lane the sequence c1 t1 + c2 t2 + ... of one frame (a
    // subtracted term is the same as an added one with a negated coefficient). The output taps
    // read slots that no tank write of this run reaches (the run is no longer than wetLag), so
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

    for (i = 0; i < frames; ++i) {
        sums = toFloatPair(DoublePair{wetLeft[i], wetRight[i]});
        smooth = toFloatPair(smoothK * widen(sums) + (1.0 - smoothK) * widen(smooth));

        // -32767, not -32768: the output stays symmetric around zero.
        const FloatPair mixed = toFloatPair(wetGain * widen(smooth) + dryGain * DoublePair{double(in[2 * i]), double(in[2 * i + 1])});
        out[2 * i] = toSampleSymmetric(mixed[0]);
        out[2 * i + 1] = toSampleSymmetric(mixed[1]);
    }

    head += static_cast<std::uint32_t>(frames);
    inputLeft = inL;
    inputRight = inR;
    scaledLeft = scaledL;
    scaledRight = scaledR;
    workA = wA;
    workB = wB;
    storePair(&lowPassLeft, low);
    slowFollower = follower;
    storePair(&wetSumLeft, sums);
    storePair(&smoothWetLeft, smooth);
}

}  // namespace tevaro::dsp
