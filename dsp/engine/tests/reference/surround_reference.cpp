#include "dsp/engine/tests/reference/surround_reference.h"

#include <cmath>

#include "dsp/engine/coefficient_sets.h"

namespace tevaro::dsp::reference {
namespace {

float f32(double v) { return static_cast<float>(v); }

// Truncation toward zero, then the 16-bit range.
std::int16_t toOutput(double v) {
    const double whole = std::trunc(v);
    if (whole < -32768.0) return -32768;
    if (whole > 32767.0) return 32767;
    return static_cast<std::int16_t>(whole);
}

std::int16_t clampOutput(int v) { return static_cast<std::int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)); }

// First-order all-pass: w = -g x + z, z = g w + x; w is a formula value, only z is stored.
float allpass(double g, float x, float& z) {
    const double w = -g * x + z;
    z = f32(g * w + x);
    return f32(w);
}

// One-pole smoother s = k x + (1 - k) s with the coefficient's float value.
float smooth(float k, float x, float s) { return f32(k * static_cast<double>(x) + (1.0 - k) * s); }

}  // namespace

void SurroundReference::reset() {
    *this = SurroundReference{};
    flags = 0x1;
    steering.reset();
    writePos = 0;
    pos64 = 0;
    pos16 = 0;
    kResidual = 0.5f;
    kSurround = 0.5f;
    kFront = 0.65f;
    kComb = 0.5f;
    kCross = f32(1.0 / 18.0);
    kSurroundSmooth = 0.9f;
    kResidualSmooth = 0.6f;
    kDifference = 0.6f;
    firLeft.reset();
    firRight.reset();
}

void SurroundReference::process(std::size_t samples, const std::int16_t* in, std::int16_t* out) {
    const std::size_t frames = samples >> 1;
    for (std::size_t i = 0; i < frames; ++i) frame(in + 2 * i, out + 2 * i);
}

void SurroundReference::frame(const std::int16_t* in, std::int16_t* out) {
    inLeft = in[0];
    inRight = in[1];
    ringLeft[writePos] = inLeft;
    ringRight[writePos] = inRight;

    // The steering measures the undelayed input; the components come from the input 220 frames back.
    steering.detect(inLeft, inRight);

    readPos = static_cast<std::int16_t>((writePos + 1828) & 2047);
    const double ld = ringLeft[readPos];
    const double rd = ringRight[readPos];

    // Coefficients held in fields are floats, the literal constants doubles.
    frontLeft = f32(steering.gainFrontLeft.current * ld);
    frontRight = f32(steering.gainFrontRight.current * rd);
    centre = f32(steering.gainCentre.current * 0.71 * (ld + rd));
    surroundLeft = f32(steering.gainSurroundLeft.current * 1.2 * (0.92 * ld + 0.38 * rd));
    surroundRight = f32(steering.gainSurroundRight.current * 1.2 * (0.38 * ld + 0.98 * rd));
    difference = f32(steering.gainDifference.current * 0.5 * (ld - rd));

    residualLeft = f32(ld - frontLeft - 0.71 * centre - 0.92 * surroundLeft - 0.71 * difference + 0.38 * surroundRight);
    residualRight =
        f32(rd - frontRight - 0.71 * centre - 0.92 * surroundRight + 0.71 * difference + 0.38 * surroundLeft);

    // Only the right side is all-passed.
    const double g = steering.allpassCoef.current;
    surroundRight = allpass(g, surroundRight, allpassSurroundRight);
    residualRight = allpass(g, residualRight, allpassResidualRight);
    frontRight = allpass(g, frontRight, allpassFrontRight);

    if (flags & 0x10) {
        roomBranch(out);
    } else {
        virtualiserBranch(out);
    }

    // Every position advances, whichever branch ran.
    writePos = static_cast<std::int16_t>((writePos + 1) & 2047);
    pos64 = static_cast<std::int16_t>((pos64 + 1) & 63);
    pos16 = static_cast<std::int16_t>((pos16 + 1) & 15);
    steering.tick();
}

void SurroundReference::roomBranch(std::int16_t* out) {
    differenceSmooth = smooth(kDifference, difference, differenceSmooth);
    // The slots written 30 and 15 frames ago.
    const int t30 = (pos64 + 34) & 63;
    const int t15 = (pos64 + 49) & 63;
    // Echo smoothers; the surround ones take the previous frame's smoothed surrounds.
    echoResidualLeft = smooth(kResidual, residualLeft, echoResidualLeft);
    echoResidualRight = smooth(kResidual, residualRight, echoResidualRight);
    echoFrontLeft = smooth(kFront, frontLeft, echoFrontLeft);
    echoFrontRight = smooth(kFront, frontRight, echoFrontRight);
    echoSurroundLeft = smooth(kSurround, surroundLeftSmooth, echoSurroundLeft);
    echoSurroundRight = smooth(kSurround, surroundRightSmooth, echoSurroundRight);
    historySurroundLeft[pos64] = echoSurroundLeft;
    historySurroundRight[pos64] = echoSurroundRight;
    historyFrontLeft[pos64] = echoFrontLeft;
    historyFrontRight[pos64] = echoFrontRight;
    historyResidualLeft[pos64] = echoResidualLeft;
    historyResidualRight[pos64] = echoResidualRight;
    crossLeft = f32(double{historyResidualRight[t30]} + historySurroundRight[t15] + historyFrontRight[t15]);
    crossRight = f32(double{historyResidualLeft[t30]} + historySurroundLeft[t15] + historyFrontLeft[t15]);
    crossLeftLow = smooth(kCross, crossLeft, crossLeftLow);
    crossRightLow = smooth(kCross, crossRight, crossRightLow);
    surroundLeft = f32(surroundLeft + 0.7 * differenceSmooth);
    surroundRight = f32(surroundRight + 0.7 * differenceSmooth);
    combLeft[pos16] = surroundLeft;
    combRight[pos16] = surroundRight;
    // Combs: left 5 and 7 frames back, right 6 and 9.
    surroundLeft = f32(kComb * static_cast<double>(combLeft[(pos16 + 11) & 15]) + surroundLeft -
                       kComb * static_cast<double>(combLeft[(pos16 + 9) & 15]));
    surroundRight = f32(kComb * static_cast<double>(combRight[(pos16 + 10) & 15]) + surroundRight -
                        kComb * static_cast<double>(combRight[(pos16 + 7) & 15]));
    surroundLeftSmooth = smooth(kSurroundSmooth, surroundLeft, surroundLeftSmooth);
    surroundRightSmooth = smooth(kSurroundSmooth, surroundRight, surroundRightSmooth);
    residualLeftSmooth = smooth(kResidualSmooth, residualLeft, residualLeftSmooth);
    residualRightSmooth = smooth(kResidualSmooth, residualRight, residualRightSmooth);
    residualLeft = residualLeftSmooth;
    residualRight = residualRightSmooth;
    mixLeft = f32(double{residualLeft} + frontLeft + 0.71 * centre + surroundLeftSmooth + crossLeft - crossLeftLow);
    mixRight =
        f32(double{residualRight} + frontRight + 0.71 * centre + surroundRightSmooth + crossRight - crossRightLow);
    out[0] = toOutput(mixLeft);
    out[1] = toOutput(mixRight);
}

void SurroundReference::virtualiserBranch(std::int16_t* out) {
    // The first preset bit found chooses the rear set; 0x400 its longer form.
    const bool max = (flags & 0x400) != 0;
    const CoefficientSet* set = nullptr;
    int taps = 0;
    double extra = 0.0;
    if (flags & 0x1) {
        set = max ? &rearRockPop96 : &rearRockPop72;
        taps = max ? 96 : 72;
    } else if (flags & 0x2) {
        set = &rearClassic;
        taps = max ? 96 : 56;
    } else if (flags & 0x4) {
        set = max ? &rearJazz96 : &rearJazz72;
        taps = max ? 96 : 72;
        extra = 0.15 * difference;
    } else if (flags & 0x8) {
        set = &rearMovie;
        taps = max ? 96 : 56;
        extra = 0.45 * difference + 0.45 * centre;
    }

    if (set == nullptr) {
        earLeftFromLeft = earLeftFromRight = earRightFromLeft = earRightFromRight = 0.0;
    } else {
        // The steered left surround and the steered, all-passed right surround feed the filters.
        firLeft.process(surroundLeft, taps, set->filter(0), set->filter(1), earLeftFromLeft, earRightFromLeft);
        firRight.process(surroundRight, taps, set->filter(2), set->filter(3), earLeftFromRight, earRightFromRight);
        earLeftFromLeft = earLeftFromLeft + extra;
        earRightFromRight = earRightFromRight + extra;
    }

    const std::int16_t left = toOutput(earLeftFromLeft + earLeftFromRight);
    const std::int16_t right = toOutput(earRightFromLeft + earRightFromRight);
    // Half of what the output held, the halving toward zero.
    if (flags & 0x1D) {
        out[0] = clampOutput(left + out[0] / 2);
        out[1] = clampOutput(right + out[1] / 2);
    } else {
        out[0] = left;
        out[1] = right;
    }
}

}  // namespace tevaro::dsp::reference
