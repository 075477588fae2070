#include "dsp/engine/surround_engine.h"

#include <algorithm>

#include "dsp/engine/coefficient_sets.h"
#include "dsp/engine/sample_convert.h"
#include "dsp/engine/staggered_loop.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

constexpr int historyMask = SurroundEngine::historySlots - 1;
// 2048 - 220: the slot written 220 frames ago.
constexpr int delayedOffset = SurroundEngine::historySlots - SurroundEngine::lookAhead;

// s = k x + (1 - k) s with the coefficient's float value, each lane on its own; the state is
// a float value held in double.
inline DoublePair onePole(DoublePair k, DoublePair x, DoublePair s) { return roundToFloat(k * x + (1.0 - k) * s); }

// First-order all-passes side by side; the outputs are rounded as the float fields that store them.
inline DoublePair allpass(DoublePair g, DoublePair x, DoublePair& state) {
    const DoublePair w = -g * x + state;
    state = roundToFloat(g * w + x);
    return roundToFloat(w);
}

// The steering gains as the decoder multiplies them, each already times its fixed factor (the
// products are the ones the formulas form first, so hoisting them changes no rounding).
struct SteeredGains {
    DoublePair front;
    DoublePair centreDifference;  // centre x 0.71, difference x 0.5
    DoublePair surround;          // x 1.2
    double allpass;
};

SteeredGains currentGains(const SteeringController& c) {
    return {pairOf(c.gainFrontLeft.current, c.gainFrontRight.current),
            DoublePair{c.gainCentre.current * 0.71, c.gainDifference.current * 0.5},
            DoublePair{c.gainSurroundLeft.current * 1.2, c.gainSurroundRight.current * 1.2}, c.allpassCoef.current};
}

// What the decoder makes of one delayed frame, float values held in double; the right lanes
// of front, surround and residual are all-passed.
struct SteeredFrame {
    DoublePair front;
    DoublePair surround;
    DoublePair residual;
    DoublePair centreDifference;
};

inline DoublePair inputFrame(const std::int16_t* in) {
    return DoublePair{static_cast<double>(in[0]), static_cast<double>(in[1])};
}

}  // namespace

// The decoder's per-frame state in locals while the gains stand still: the history is written
// every frame, and the compiler would otherwise reload every field after each store.
struct FrameDecoder {
    DoublePair* history;
    int writePos;
    // Surround and residual of the right side share one pair of all-pass lanes; the front's
    // all-pass runs in the right lane of another, whose left lane (coefficient 0) goes unused.
    DoublePair allpassSurroundResidual, allpassFront;
    SteeredGains gains;

    // Decodes frames, handing each to use(index, frame). A frame's all-passes run one loop pass
    // after the rest of its decoding, so the all-pass chain and the next frame's decoding overlap.
    template <typename Use>
    void run(const std::int16_t* in, std::size_t frames, Use use) {
        staggered(
            frames, [&](std::size_t i) { return steer(inputFrame(in + 2 * i)); },
            [&](std::size_t i, const SteeredFrame& s) { use(i, allpassRight(s)); });
    }

    // Everything of a frame but the all-passes.
    SteeredFrame steer(DoublePair input) {
        history[writePos] = input;
        const DoublePair delayed = history[(writePos + delayedOffset) & historyMask];
        writePos = (writePos + 1) & historyMask;
        const DoublePair left = lowBoth(delayed);
        const DoublePair right = highBoth(delayed);

        SteeredFrame s;
        s.front = roundToFloat(gains.front * delayed);
        // ld + rd and ld - rd; adding -rd rounds exactly as subtracting rd.
        s.centreDifference = roundToFloat(gains.centreDifference * (left + right * DoublePair{1.0, -1.0}));
        // The right surround weights its own channel by 0.98, not 0.92.
        const DoublePair surround =
            roundToFloat(gains.surround * (DoublePair{0.92, 0.38} * left + DoublePair{0.38, 0.98} * right));

        // What the steered components leave of each delayed input channel: the difference enters
        // the left negated, each side takes 0.38 of the other's surround.
        const DoublePair centre = lowBoth(s.centreDifference);
        const DoublePair difference = highBoth(s.centreDifference);
        s.surround = surround;
        s.residual = roundToFloat(delayed - s.front - 0.71 * centre - 0.92 * surround +
                                  DoublePair{-0.71, 0.71} * difference + 0.38 * swapLanes(surround));
        return s;
    }

    // Only the right side is all-passed: it decorrelates the two sides of the surround image.
    SteeredFrame allpassRight(SteeredFrame s) {
        const DoublePair rights = __builtin_shufflevector(s.surround, s.residual, 1, 3);
        const DoublePair passed = allpass(both(gains.allpass), rights, allpassSurroundResidual);
        s.surround = lowHigh(s.surround, swapLanes(passed));
        s.residual = lowHigh(s.residual, passed);
        s.front = lowHigh(s.front, allpass(DoublePair{0.0, gains.allpass}, s.front, allpassFront));
        return s;
    }
};

RearChoice chooseRearSet(std::int32_t flags) {
    const bool max = (flags & FlagQualityMax) != 0;
    if (flags & FlagRockPop) return max ? RearChoice{&rearRockPop96, 96} : RearChoice{&rearRockPop72, 72};
    if (flags & FlagClassic) return {&rearClassic, max ? 96 : 56};
    if (flags & FlagJazz) return max ? RearChoice{&rearJazz96, 96} : RearChoice{&rearJazz72, 72};
    if (flags & FlagMovie) return {&rearMovie, max ? 96 : 56};
    return {nullptr, 0};
}

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
// over the frames up to that update in one tight loop; the frames are then decoded in runs.
std::size_t SurroundEngine::detectAhead(const std::int16_t* in, std::size_t frames) {
    const std::size_t run = std::min<std::size_t>(frames, static_cast<std::size_t>(controller.framesToUpdate()));
    FloatPair input[blockFrames];
    for (std::size_t i = 0; i < run; ++i)
        input[i] = FloatPair{static_cast<float>(in[2 * i]), static_cast<float>(in[2 * i + 1])};
    controller.detectRun(input, run);
    return run;
}

void SurroundEngine::renderRoomBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    for (std::size_t j = 0; j < frames;) {
        const std::size_t end = j + detectAhead(in + 2 * j, frames - j);
        while (j < end) {
            const std::size_t run =
                std::min({end - j, rampFrames, static_cast<std::size_t>(controller.framesToRamp())});
            renderRoomRun(in + 2 * j, out + 2 * j, run);
            controller.tickRun(static_cast<int>(run));
            j += run;
        }
    }
}

FrameDecoder SurroundEngine::startDecoding() {
    return {history, writePos, DoublePair{allpassSurroundRight, allpassResidualRight},
            DoublePair{0.0, allpassFrontRight}, currentGains(controller)};
}

void SurroundEngine::stopDecoding(const FrameDecoder& decoder) {
    writePos = static_cast<std::int16_t>(decoder.writePos);
    allpassSurroundRight = static_cast<float>(decoder.allpassSurroundResidual[0]);
    allpassResidualRight = static_cast<float>(decoder.allpassSurroundResidual[1]);
    allpassFrontRight = static_cast<float>(decoder.allpassFront[1]);
}

// The room state lives in locals for the run, for the same reason as the decoder's.
void SurroundEngine::renderRoomRun(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    FrameDecoder decoder = startDecoding();
    const DoublePair residualK = both(kResidual), frontK = both(kFront), surroundK = both(kSurround);
    const DoublePair crossK = both(kCross), surroundSmoothK = both(kSurroundSmooth);
    const DoublePair residualSmoothK = both(kResidualSmooth), differenceK = both(kDifference);
    const double combK = kComb;
    // The smoothed difference runs in both lanes: both sides' surrounds add it.
    DoublePair diffSmooth = both(differenceSmooth);
    DoublePair echoRes = widen(echoResidual), echoFr = widen(echoFront), echoSur = widen(echoSurround);
    DoublePair crossSlow = widen(crossLow), surSmooth = widen(surroundSmooth), resSmooth = widen(residualSmooth);
    int at64 = pos64, at16 = pos16;

    // Decoding, the smoothers, then the mix, each over all frames of the run: short loops let the
    // processor overlap several frames, where in one long loop body each frame's long chain of
    // dependent steps would leave little to overlap.
    SteeredFrame steered[rampFrames];
    struct MixTerms {
        DoublePair residual, surround, cross, crossSlow;
    } mixTerms[rampFrames];
    decoder.run(in, frames, [&steered](std::size_t i, const SteeredFrame& s) { steered[i] = s; });
    stopDecoding(decoder);

    for (std::size_t i = 0; i < frames; ++i) {
        const SteeredFrame& s = steered[i];
        diffSmooth = onePole(differenceK, highBoth(s.centreDifference), diffSmooth);

        echoRes = onePole(residualK, s.residual, echoRes);
        echoFr = onePole(frontK, s.front, echoFr);
        echoSur = onePole(surroundK, surSmooth, echoSur);
        crossSurround[at64] = echoSur;
        crossFront[at64] = echoFr;
        crossResidual[at64] = echoRes;

        // Each ear hears the other side's components late, as from a room boundary: the sums of
        // the left lanes feed the right ear.
        const int tap30 = (at64 + 34) & 63;  // written 30 frames ago
        const int tap15 = (at64 + 49) & 63;  // written 15 frames ago
        const DoublePair cross =
            swapLanes(roundToFloat(crossResidual[tap30] + crossSurround[tap15] + crossFront[tap15]));
        crossSlow = onePole(crossK, cross, crossSlow);

        DoublePair surround = roundToFloat(s.surround + 0.7 * diffSmooth);
        comb[at16] = surround;
        // Left: 5 and 7 frames back; right: 6 and 9 frames back.
        const DoublePair combAdded = lowHigh(comb[(at16 + 11) & 15], comb[(at16 + 10) & 15]);
        const DoublePair combTaken = lowHigh(comb[(at16 + 9) & 15], comb[(at16 + 7) & 15]);
        surround = roundToFloat(combK * combAdded + surround - combK * combTaken);
        surSmooth = onePole(surroundSmoothK, surround, surSmooth);
        resSmooth = onePole(residualSmoothK, s.residual, resSmooth);

        mixTerms[i] = {resSmooth, surSmooth, cross, crossSlow};
        at64 = (at64 + 1) & 63;
        at16 = (at16 + 1) & 15;
    }

    for (std::size_t i = 0; i < frames; ++i) {
        const SteeredFrame& s = steered[i];
        const MixTerms& m = mixTerms[i];
        // The cross terms enter high-passed: crossfeed minus its own slow average.
        const DoublePair mix = roundToFloat(m.residual + s.front + 0.71 * lowBoth(s.centreDifference) + m.surround +
                                            m.cross - m.crossSlow);
        out[2 * i] = toSample(mix[0]);
        out[2 * i + 1] = toSample(mix[1]);
    }

    differenceSmooth = static_cast<float>(diffSmooth[0]);
    echoResidual = toFloatPair(echoRes);
    echoFront = toFloatPair(echoFr);
    echoSurround = toFloatPair(echoSur);
    crossLow = toFloatPair(crossSlow);
    surroundSmooth = toFloatPair(surSmooth);
    residualSmooth = toFloatPair(resSmooth);
    pos64 = static_cast<std::int16_t>(at64);
    pos16 = static_cast<std::int16_t>(at16);
}

// The surround feeds are each frame's steered left surround and steered, all-passed right
// surround: the smoothed values belong to the room branch and stand still here.
void SurroundEngine::decodeFeedsRun(const std::int16_t* in, std::size_t frames, double* feedLeft, double* feedRight,
                                    double* extra) {
    FrameDecoder decoder = startDecoding();
    const bool noExtra = (flags & (FlagRockPop | FlagClassic)) != 0;
    const bool jazz = (flags & FlagJazz) != 0;
    decoder.run(in, frames, [&](std::size_t i, const SteeredFrame& s) {
        feedLeft[i] = s.surround[0];
        feedRight[i] = s.surround[1];
        const double centre = s.centreDifference[0];
        const double difference = s.centreDifference[1];
        if (noExtra) {
            extra[i] = 0.0;
        } else if (jazz) {
            extra[i] = 0.15 * difference;
        } else {
            extra[i] = 0.45 * difference + 0.45 * centre;
        }
    });
    stopDecoding(decoder);
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
            const std::size_t run =
                std::min({end - j, rampFrames, static_cast<std::size_t>(controller.framesToRamp())});
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
        const FirPairTaps taps{rear.taps,
                               {rear.set->filter(0), rear.set->filter(1), rear.set->filter(2), rear.set->filter(3)}};
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

    // The room branch's crossfeed and comb positions count every frame of the stream, whichever
    // branch runs: after a switch back to Neutral its histories are read at their real ages.
    pos64 = static_cast<std::int16_t>((pos64 + frames) & 63);
    pos16 = static_cast<std::int16_t>((pos16 + frames) & 15);
}

}  // namespace tevaro::dsp
