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
    for (std::size_t i = 0; i < run; ++i) input[i] = FloatPair{static_cast<float>(in[2 * i]), static_cast<float>(in[2 * i + 1])};
    controller.detectRun(input, run);
    return run;
}

void SurroundEngine::renderRoomBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    for (std::size_t j = 0; j < frames;) {
        const std::size_t end = j + detectAhead(in + 2 * j, frames - j);
        for (; j < end; ++j) {
            decodeFrame(in[2 * j], in[2 * j + 1]);
            renderRoom(out + 2 * j);
            advance();
        }
    }
}

void SurroundEngine::decodeFrame(float left, float right) {
    inLeft = left;
    inRight = right;
    ringLeft[writePos] = inLeft;
    ringRight[writePos] = inRight;

    readPos = static_cast<std::int16_t>((writePos + delayedOffset) & historyMask);
    const double ld = ringLeft[readPos];
    const double rd = ringRight[readPos];

    frontLeft = toFloat(controller.gainFrontLeft.current * ld);
    frontRight = toFloat(controller.gainFrontRight.current * rd);
    centre = toFloat(controller.gainCentre.current * 0.71 * (ld + rd));
    surroundLeft = toFloat(controller.gainSurroundLeft.current * 1.2 * (0.92 * ld + 0.38 * rd));
    // The right surround weights its own channel by 0.98, not 0.92.
    surroundRight = toFloat(controller.gainSurroundRight.current * 1.2 * (0.38 * ld + 0.98 * rd));
    difference = toFloat(controller.gainDifference.current * 0.5 * (ld - rd));

    // What the steered components leave of each delayed input channel.
    residualLeft = toFloat(ld - frontLeft - 0.71 * centre - 0.92 * surroundLeft - 0.71 * difference +
                           0.38 * surroundRight);
    residualRight = toFloat(rd - frontRight - 0.71 * centre - 0.92 * surroundRight + 0.71 * difference +
                            0.38 * surroundLeft);

    // Only the right side is all-passed: it decorrelates the two sides of the surround image.
    const double g = controller.allpassCoef.current;
    surroundRight = toFloat(allpass(g, surroundRight, allpassSurroundRight));
    residualRight = toFloat(allpass(g, residualRight, allpassResidualRight));
    frontRight = toFloat(allpass(g, frontRight, allpassFrontRight));
}

void SurroundEngine::renderRoom(std::int16_t* out) {
    differenceSmooth = onePole(kDifference, difference, differenceSmooth);

    const int tap30 = (pos64 + 34) & 63;  // written 30 frames ago
    const int tap15 = (pos64 + 49) & 63;  // written 15 frames ago

    echoResidualLeft = onePole(kResidual, residualLeft, echoResidualLeft);
    echoResidualRight = onePole(kResidual, residualRight, echoResidualRight);
    echoFrontLeft = onePole(kFront, frontLeft, echoFrontLeft);
    echoFrontRight = onePole(kFront, frontRight, echoFrontRight);
    echoSurroundLeft = onePole(kSurround, surroundLeftSmooth, echoSurroundLeft);
    echoSurroundRight = onePole(kSurround, surroundRightSmooth, echoSurroundRight);

    crossSurroundLeft[pos64] = echoSurroundLeft;
    crossSurroundRight[pos64] = echoSurroundRight;
    crossFrontLeft[pos64] = echoFrontLeft;
    crossFrontRight[pos64] = echoFrontRight;
    crossResidualLeft[pos64] = echoResidualLeft;
    crossResidualRight[pos64] = echoResidualRight;

    // Each ear hears the other side's components late, as from a room boundary.
    crossLeft = toFloat(static_cast<double>(crossResidualRight[tap30]) + crossSurroundRight[tap15] +
                        crossFrontRight[tap15]);
    crossRight = toFloat(static_cast<double>(crossResidualLeft[tap30]) + crossSurroundLeft[tap15] +
                         crossFrontLeft[tap15]);
    crossLeftLow = onePole(kCross, crossLeft, crossLeftLow);
    crossRightLow = onePole(kCross, crossRight, crossRightLow);

    surroundLeft = toFloat(surroundLeft + 0.7 * differenceSmooth);
    surroundRight = toFloat(surroundRight + 0.7 * differenceSmooth);
    combLeft[pos16] = surroundLeft;
    combRight[pos16] = surroundRight;
    const double comb = kComb;
    // Left: 5 and 7 frames back; right: 6 and 9 frames back.
    surroundLeft = toFloat(comb * combLeft[(pos16 + 11) & 15] + surroundLeft - comb * combLeft[(pos16 + 9) & 15]);
    surroundRight = toFloat(comb * combRight[(pos16 + 10) & 15] + surroundRight - comb * combRight[(pos16 + 7) & 15]);
    surroundLeftSmooth = onePole(kSurroundSmooth, surroundLeft, surroundLeftSmooth);
    surroundRightSmooth = onePole(kSurroundSmooth, surroundRight, surroundRightSmooth);

    residualLeftSmooth = onePole(kResidualSmooth, residualLeft, residualLeftSmooth);
    residualRightSmooth = onePole(kResidualSmooth, residualRight, residualRightSmooth);
    residualLeft = residualLeftSmooth;
    residualRight = residualRightSmooth;

    // The cross terms enter high-passed: crossfeed minus its own slow average.
    mixLeft = toFloat(static_cast<double>(residualLeft) + frontLeft + 0.71 * centre + surroundLeftSmooth + crossLeft -
                      crossLeftLow);
    mixRight = toFloat(static_cast<double>(residualRight) + frontRight + 0.71 * centre + surroundRightSmooth +
                       crossRight - crossRightLow);
    out[0] = toSample(mixLeft);
    out[1] = toSample(mixRight);
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
        for (; j < end; ++j) {
            decodeFrame(in[2 * j], in[2 * j + 1]);
            // The surround feeds are this frame's steered left surround and steered, all-passed right
            // surround: the smoothed values belong to the room branch and stand still here.
            feedLeft[j] = surroundLeft;
            feedRight[j] = surroundRight;
            if (flags & (FlagRockPop | FlagClassic)) {
                extra[j] = 0.0;
            } else if (flags & FlagJazz) {
                extra[j] = 0.15 * difference;
            } else {
                extra[j] = 0.45 * difference + 0.45 * centre;
            }
            advance();
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
        earLeftFromLeft = leftEarFromLeft[j] + extra[j];
        earRightFromLeft = rightEarFromLeft[j];
        earLeftFromRight = leftEarFromRight[j];
        earRightFromRight = rightEarFromRight[j] + extra[j];
        const std::int16_t left = toSample(earLeftFromLeft + earLeftFromRight);
        const std::int16_t right = toSample(earRightFromLeft + earRightFromRight);
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

void SurroundEngine::advance() {
    writePos = static_cast<std::int16_t>((writePos + 1) & historyMask);
    pos64 = static_cast<std::int16_t>((pos64 + 1) & 63);
    pos16 = static_cast<std::int16_t>((pos16 + 1) & 15);
    controller.tick();
}

}  // namespace tevaro::dsp
