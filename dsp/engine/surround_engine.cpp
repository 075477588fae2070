#include "dsp/engine/surround_engine.h"

#include <algorithm>

#include "dsp/engine/coefficient_sets.h"
#include "dsp/engine/sample_convert.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

constexpr int historyMask = SurroundEngine::historySlots - 1;
// 2048 - 220: the slot written 220 frames ago.
constexpr int delayedOffset = SurroundEngine::historySlots - SurroundEngine::lookAhead;

// First-order all-pass; the output stays double until the caller stores it.
inline double allpass(double g, double x, float& state) {
    const double w = -g * x + state;
    state = toFloat(g * w + x);
    return w;
}

// s = k x + (1 - k) s with the coefficient's float value.
inline float onePole(float k, double x, float s) {
    return toFloat(static_cast<double>(k) * x + (1.0 - static_cast<double>(k)) * s);
}

// The same smoother on both sides; k holds the coefficient's float value in both lanes.
inline FloatPair onePole(DoublePair k, DoublePair x, FloatPair s) { return toFloatPair(k * x + (1.0 - k) * widen(s)); }

inline FloatPair swapSides(FloatPair v) { return FloatPair{v[1], v[0]}; }

// The steering gains as the decoder multiplies them, each already times its fixed factor (the
// products are the ones the formulas form first, so hoisting them changes no rounding).
struct SteeredGains {
    DoublePair front;
    double centre;        // x 0.71
    DoublePair surround;  // x 1.2
    double difference;    // x 0.5
    double allpass;
};

SteeredGains currentGains(const SteeringController& c) {
    return {pairOf(c.gainFrontLeft.current, c.gainFrontRight.current), c.gainCentre.current * 0.71,
            DoublePair{c.gainSurroundLeft.current * 1.2, c.gainSurroundRight.current * 1.2},
            c.gainDifference.current * 0.5, c.allpassCoef.current};
}

// What the decoder makes of one delayed frame; the right lanes are all-passed.
struct SteeredFrame {
    FloatPair front;
    FloatPair surround;
    FloatPair residual;
    float centre;
    float difference;
};

// The decoder's per-frame state in locals while the gains stand still: the history is float too,
// so every store into it would otherwise force the float fields to be reloaded.
struct FrameDecoder {
    FloatPair* history;
    int writePos;
    float allpassSurround, allpassResidual, allpassFront;  // right side only
    SteeredGains gains;

    SteeredFrame next(FloatPair input) {
        history[writePos] = input;
        const DoublePair delayed = widen(history[(writePos + delayedOffset) & historyMask]);
        writePos = (writePos + 1) & historyMask;
        const double ld = delayed[0];
        const double rd = delayed[1];

        SteeredFrame s;
        s.front = toFloatPair(gains.front * delayed);
        s.centre = toFloat(gains.centre * (ld + rd));
        // The right surround weights its own channel by 0.98, not 0.92.
        s.surround = toFloatPair(gains.surround * (DoublePair{0.92, 0.38} * ld + DoublePair{0.38, 0.98} * rd));
        s.difference = toFloat(gains.difference * (ld - rd));

        // What the steered components leave of each delayed input channel: the difference enters
        // the left negated (x - y rounds exactly as x + (-y)), each side takes 0.38 of the other's
        // surround.
        s.residual = toFloatPair(delayed - widen(s.front) - 0.71 * static_cast<double>(s.centre) -
                                 0.92 * widen(s.surround) + DoublePair{-0.71, 0.71} * static_cast<double>(s.difference) +
                                 0.38 * widen(swapSides(s.surround)));

        // Only the right side is all-passed: it decorrelates the two sides of the surround image.
        const double g = gains.allpass;
        s.surround[1] = toFloat(allpass(g, s.surround[1], allpassSurround));
        s.residual[1] = toFloat(allpass(g, s.residual[1], allpassResidual));
        s.front[1] = toFloat(allpass(g, s.front[1], allpassFront));
        return s;
    }
};

FloatPair inputFrame(const std::int16_t* in) { return FloatPair{static_cast<float>(in[0]), static_cast<float>(in[1])}; }

struct RearChoice {
    const CoefficientSet* set;
    int taps;
};

// Rear set and tap count of a settings word; the first preset bit found wins.
RearChoice chooseRearSet(std::int32_t flags) {
    const bool max = (flags & FlagQualityMax) != 0;
    if (flags & FlagRockPop) return max ? RearChoice{&rearRockPop96, 96} : RearChoice{&rearRockPop72, 72};
    if (flags & FlagClassic) return {&rearClassic, max ? 96 : 56};
    if (flags & FlagJazz) return max ? RearChoice{&rearJazz96, 96} : RearChoice{&rearJazz72, 72};
    if (flags & FlagMovie) return {&rearMovie, max ? 96 : 56};
    return {nullptr, 0};
}

}  // namespace

void SurroundEngine::reset() {
    *this = SurroundEngine{};
    flags = static_cast<std::int32_t>(FlagRockPop);
    controller.reset();
    kResidual = 0.5f;
    kSurround = 0.5f;
    kFront = 0.65f;
    kComb = 0.5f;
    kCross = static_cast<float>(1.0 / 18.0);
    kSurroundSmooth = 0.9f;
    kResidualSmooth = 0.6f;
    kDifference = 0.6f;
    firLeft.reset();
    firRight.reset();
    firKernel = bestFirPairKernel();
}

void SurroundEngine::process(std::size_t samples, const std::int16_t* in, std::int16_t* out) {
    const std::size_t frames = samples >> 1;
    const bool room = (flags & FlagNeutral) != 0;
    for (std::size_t done = 0; done < frames;) {
        const std::size_t count = std::min(blockFrames, frames - done);
        if (room) {
            renderRoomBlock(in + 2 * done, out + 2 * done, count);
        } else {
            renderVirtualiserBlock(in + 2 * done, out + 2 * done, count);
        }
        done += count;
    }
}

// The detector feeds nothing but the followers that the 64-frame update reads, so it runs ahead
// over the frames up to that update in one tight loop; the frames are then decoded one by one.
std::size_t SurroundEngine::detectAhead(const std::int16_t* in, std::size_t frames) {
    const std::size_t run = std::min<std::size_t>(frames, static_cast<std::size_t>(controller.framesToUpdate()));
    FloatPair input[blockFrames];
    for (std::size_t i = 0; i < run; ++i) input[i] = inputFrame(in + 2 * i);
    controller.detectRun(input, run);
    return run;
}

void SurroundEngine::renderRoomBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    for (std::size_t j = 0; j < frames;) {
        const std::size_t end = j + detectAhead(in + 2 * j, frames - j);
        while (j < end) {
            const std::size_t run = std::min<std::size_t>(end - j, static_cast<std::size_t>(controller.framesToRamp()));
            renderRoomRun(in + 2 * j, out + 2 * j, run);
            controller.tickRun(static_cast<int>(run));
            j += run;
        }
    }
}

// The room state lives in locals for the run, for the same reason as the decoder's.
void SurroundEngine::renderRoomRun(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    FrameDecoder decoder{history, writePos, allpassSurroundRight, allpassResidualRight, allpassFrontRight,
                         currentGains(controller)};
    const DoublePair residualK = both(kResidual), frontK = both(kFront), surroundK = both(kSurround);
    const DoublePair crossK = both(kCross), surroundSmoothK = both(kSurroundSmooth);
    const DoublePair residualSmoothK = both(kResidualSmooth);
    const double combK = kComb;
    float diffSmooth = differenceSmooth;
    FloatPair echoRes = echoResidual, echoFr = echoFront, echoSur = echoSurround;
    FloatPair crossSlow = crossLow, surSmooth = surroundSmooth, resSmooth = residualSmooth;
    int at64 = pos64, at16 = pos16;

    for (std::size_t i = 0; i < frames; ++i) {
        const SteeredFrame s = decoder.next(inputFrame(in + 2 * i));
        diffSmooth = onePole(kDifference, s.difference, diffSmooth);

        echoRes = onePole(residualK, widen(s.residual), echoRes);
        echoFr = onePole(frontK, widen(s.front), echoFr);
        echoSur = onePole(surroundK, widen(surSmooth), echoSur);
        crossSurround[at64] = echoSur;
        crossFront[at64] = echoFr;
        crossResidual[at64] = echoRes;

        // Each ear hears the other side's components late, as from a room boundary: the sums of
        // the left lanes feed the right ear.
        const int tap30 = (at64 + 34) & 63;  // written 30 frames ago
        const int tap15 = (at64 + 49) & 63;  // written 15 frames ago
        const FloatPair cross = swapSides(
            toFloatPair(widen(crossResidual[tap30]) + widen(crossSurround[tap15]) + widen(crossFront[tap15])));
        crossSlow = onePole(crossK, widen(cross), crossSlow);

        FloatPair surround = toFloatPair(widen(s.surround) + 0.7 * static_cast<double>(diffSmooth));
        comb[at16] = surround;
        // Left: 5 and 7 frames back; right: 6 and 9 frames back.
        const DoublePair combAdded = {comb[(at16 + 11) & 15][0], comb[(at16 + 10) & 15][1]};
        const DoublePair combTaken = {comb[(at16 + 9) & 15][0], comb[(at16 + 7) & 15][1]};
        surround = toFloatPair(combK * combAdded + widen(surround) - combK * combTaken);
        surSmooth = onePole(surroundSmoothK, widen(surround), surSmooth);
        resSmooth = onePole(residualSmoothK, widen(s.residual), resSmooth);

        // The cross terms enter high-passed: crossfeed minus its own slow average.
        const FloatPair mix = toFloatPair(widen(resSmooth) + widen(s.front) + 0.71 * static_cast<double>(s.centre) +
                                          widen(surSmooth) + widen(cross) - widen(crossSlow));
        out[2 * i] = toSample(mix[0]);
        out[2 * i + 1] = toSample(mix[1]);
        at64 = (at64 + 1) & 63;
        at16 = (at16 + 1) & 15;
    }

    writePos = static_cast<std::int16_t>(decoder.writePos);
    allpassSurroundRight = decoder.allpassSurround;
    allpassResidualRight = decoder.allpassResidual;
    allpassFrontRight = decoder.allpassFront;
    differenceSmooth = diffSmooth;
    echoResidual = echoRes;
    echoFront = echoFr;
    echoSurround = echoSur;
    crossLow = crossSlow;
    surroundSmooth = surSmooth;
    residualSmooth = resSmooth;
    pos64 = static_cast<std::int16_t>(at64);
    pos16 = static_cast<std::int16_t>(at16);
}

// The surround feeds are each frame's steered left surround and steered, all-passed right
// surround: the smoothed values belong to the room branch and stand still here.
void SurroundEngine::decodeFeedsRun(const std::int16_t* in, std::size_t frames, double* feedLeft, double* feedRight,
                                    double* extra) {
    FrameDecoder decoder{history, writePos, allpassSurroundRight, allpassResidualRight, allpassFrontRight,
                         currentGains(controller)};
    const bool noExtra = (flags & (FlagRockPop | FlagClassic)) != 0;
    const bool jazz = (flags & FlagJazz) != 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const SteeredFrame s = decoder.next(inputFrame(in + 2 * i));
        feedLeft[i] = s.surround[0];
        feedRight[i] = s.surround[1];
        if (noExtra) {
            extra[i] = 0.0;
        } else if (jazz) {
            extra[i] = 0.15 * s.difference;
        } else {
            extra[i] = 0.45 * s.difference + 0.45 * s.centre;
        }
    }
    writePos = static_cast<std::int16_t>(decoder.writePos);
    allpassSurroundRight = decoder.allpassSurround;
    allpassResidualRight = decoder.allpassResidual;
    allpassFrontRight = decoder.allpassFront;
}

// The rear filters run over a block of frames at once: the surround feeds depend only on the
// input and the steering, never on earlier outputs, so the block kernel can compute several
// frames' sums side by side (each sum still in increasing tap order, bit-identical to one
// DualFir call per frame).
void SurroundEngine::renderVirtualiserBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    double feedLeft[blockFrames], feedRight[blockFrames], extra[blockFrames];
    // Ear sums per frame: left ear from the left feed, right ear from the left feed, and so on.
    double leftEarFromLeft[blockFrames], rightEarFromLeft[blockFrames];
    double leftEarFromRight[blockFrames], rightEarFromRight[blockFrames];
    const RearChoice rear = chooseRearSet(flags);
    for (std::size_t j = 0; j < frames;) {
        const std::size_t end = j + detectAhead(in + 2 * j, frames - j);
        while (j < end) {
            const std::size_t run = std::min<std::size_t>(end - j, static_cast<std::size_t>(controller.framesToRamp()));
            decodeFeedsRun(in + 2 * j, run, feedLeft + j, feedRight + j, extra + j);
            controller.tickRun(static_cast<int>(run));
            j += run;
        }
    }

    if (rear.set == nullptr) {
        std::fill_n(leftEarFromLeft, frames, 0.0);
        std::fill_n(rightEarFromLeft, frames, 0.0);
        std::fill_n(leftEarFromRight, frames, 0.0);
        std::fill_n(rightEarFromRight, frames, 0.0);
        std::fill_n(extra, frames, 0.0);
    } else {
        const FirPairTaps taps{rear.taps, {rear.set->filter(0), rear.set->filter(1), rear.set->filter(2),
                                           rear.set->filter(3)}};
        firKernel(firLeft, firRight, taps, feedLeft, feedRight,
                  FirPairSums{leftEarFromLeft, rightEarFromLeft, leftEarFromRight, rightEarFromRight}, frames);
    }

    const bool addsEarlier = (flags & FilteringOrNeutralMask) != 0;
    for (std::size_t j = 0; j < frames; ++j) {
        const std::int16_t left = toSample((leftEarFromLeft[j] + extra[j]) + leftEarFromRight[j]);
        const std::int16_t right = toSample(rightEarFromLeft[j] + (rightEarFromRight[j] + extra[j]));
        if (addsEarlier) {
            // Half of what the reverberator left, halved toward zero.
            out[2 * j] = toSample(left + out[2 * j] / 2);
            out[2 * j + 1] = toSample(right + out[2 * j + 1] / 2);
        } else {
            out[2 * j] = left;
            out[2 * j + 1] = right;
        }
    }
}

}  // namespace tevaro::dsp
