#include "dsp/engine/steering_controller.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "dsp/engine/steering_tables.h"
#include "dsp/engine/stereo_pair.h"

namespace tevaro::dsp {
namespace {

// Peak followers: each rises a quarter of the way toward |x|, never falls (the 64-frame update
// clears them). The envelopes are float values held in double; a kept one stays what it is when
// rounded to float, so the choice can be made before the rounding.
DoublePair followPair(DoublePair x, DoublePair e) {
    const DoublePair magnitude = x < 0.0 ? -x : x;
    // Where |x| <= e the step is toward or onto e, so rounded it is at most e (e is a float
    // value): the larger of the two is the kept e. The choice then waits on the step only.
    const DoublePair stepped = roundToFloat(e + (magnitude - e) * 0.25);
    return e < stepped ? stepped : e;
}

// 8.8 moves of p toward t * 256 by 1/8, 1/64 and 1/32 of the distance (arithmetic shifts).
std::int16_t smooth8(int t, int p) { return static_cast<std::int16_t>(p + 32 * t - (p >> 3)); }
std::int16_t slow(int t, int p) { return static_cast<std::int16_t>(p + 4 * t - (p >> 6)); }
std::int16_t medium(int t, int p) { return static_cast<std::int16_t>(p + 8 * t - (p >> 5)); }
std::int16_t jumpTo(int t) { return static_cast<std::int16_t>(256 * t); }

// Far targets are jumped to, nearer ones approached quickly or at medium speed.
std::int16_t adapt(int t, int p) {
    const int d = std::abs(t - (p >> 8));
    if (d > 20) return jumpTo(t);
    if (d > 13) return smooth8(t, p);
    return medium(t, p);
}

// Steering angle in degrees of an 8.8 steering position.
int angle(int p) {
    const int i = (p + 128) >> 8;
    return i >= 0 ? AngleTable[std::min(i, 90)] : -AngleTable[std::min(-i, 90)];
}

// Rate of a ramp: fast while far from the target, down to half a 1/256 step near it.
float step(float target, float current) {
    const double d = static_cast<double>(target) - current;
    const long m = std::labs(static_cast<long>(d * 256.0));
    double rate = 8.0;
    if (m < 80) rate = 4.0;
    if (m < 40) rate = 2.0;
    if (m < 20) rate = 1.0;
    if (m < 10) rate = 0.5;
    return static_cast<float>(d >= 0.0 ? rate / 256.0 : -rate / 256.0);
}

std::int16_t clampBalance(int v) { return static_cast<std::int16_t>(std::clamp(v, -126, 126)); }

}  // namespace

void SteeringController::reset() {
    *this = SteeringController{};
    detectorCoef = 0.0625f;
    detectorKeep = 1.0f - 0.0625f;
}

std::int16_t SteeringController::level(double x) {
    std::uint16_t v = static_cast<std::uint16_t>(static_cast<std::int64_t>(x)) | 1u;
    int e = 194;
    while ((v & 0x4000u) == 0) {
        v = static_cast<std::uint16_t>(v << 1);
        e -= 12;
    }
    return static_cast<std::int16_t>(e + LogTable[(v & 0x3FFFu) >> 9]);
}

void SteeringController::detect(float inLeft, float inRight) {
    const FloatPair input = {inLeft, inRight};
    detectRun(&input, 1);
}

// Both channels side by side, each lane exactly the one-channel filter; the state is held as
// float values in double for the run. The followers of a frame run one loop pass after its
// filters: their input is then ready when they start, so the followers' chain of dependent steps
// and the filters' overlap instead of queueing behind each other.
void SteeringController::detectRun(const FloatPair* input, std::size_t frames) {
    if (frames == 0) return;
    const DoublePair keep = both(detectorKeep);
    const DoublePair coef = both(detectorCoef);
    DoublePair low1 = widen(loadPair(&lowPass1Left)), low2 = widen(loadPair(&lowPass2Left));
    DoublePair previous = widen(loadPair(&previousLeft));
    DoublePair env = widen(loadPair(&envLeft)), envSumDiff = widen(loadPair(&envSum));
    const auto filter = [&](FloatPair in) {
        const DoublePair x = widen(in);
        low1 = roundToFloat(keep * low1 - coef * x);
        const DoublePair y = 0.5 * x + 0.5 * previous + low1;
        previous = x;
        low2 = roundToFloat(keep * low2 - coef * y);
        return roundToFloat(y + low2);
    };
    const auto follow = [&](DoublePair d) {
        env = followPair(d, env);
        envSumDiff = followPair(DoublePair{d[0] + d[1], d[0] - d[1]}, envSumDiff);
    };
    DoublePair det = filter(input[0]);
    for (std::size_t i = 1; i < frames; ++i) {
        const DoublePair filtered = det;
        det = filter(input[i]);
        follow(filtered);
    }
    follow(det);
    storePair(&lowPass1Left, toFloatPair(low1));
    storePair(&previousLeft, toFloatPair(previous));
    storePair(&lowPass2Left, toFloatPair(low2));
    storePair(&detLeft, toFloatPair(det));
    storePair(&envLeft, toFloatPair(env));
    storePair(&envSum, toFloatPair(envSumDiff));
}

void SteeringController::tick() {
    ++frameCounter;
    if (frameCounter % 16 == 0) stepRamps();
    if (frameCounter % 64 == 0) {
        updateSteering();
        updateTargets();
    }
}

void SteeringController::stepRamps() {
    gainFrontLeft.advance();
    gainFrontRight.advance();
    gainSurroundLeft.advance();
    gainSurroundRight.advance();
    gainDifference.advance();
    gainCentre.advance();
}

void SteeringController::updateSteering() {
    frameCounter = 0;

    levelLeft = level(envLeft);
    levelRight = level(envRight);
    levelSum = level(envSum);
    levelDiff = level(envDiff);
    envLeft = envRight = envSum = envDiff = 0.0f;

    balanceLR = clampBalance(levelLeft - levelRight);
    balanceCS = clampBalance(levelSum - levelDiff);
    const int absLR = std::abs(balanceLR);
    const int absCS = std::abs(balanceCS);

    const int peak = static_cast<std::uint16_t>(128 * std::max(levelLeft, levelRight));
    if (levelTracker < peak) levelTracker = static_cast<std::int16_t>(levelTracker + (peak - levelTracker) / 2);
    const int belowPeak = levelTracker - peak;
    levelState = belowPeak < 1152 ? 0 : (belowPeak > 1792 ? 2 : 1);
    if (levelTracker > 40) levelTracker = static_cast<std::int16_t>(levelTracker - 15);

    // A sudden, confirmed change of direction moves the fast estimate at once.
    bool jumped = false;
    if (absLR > 30 && levelState == 0) {
        if (std::abs(fastLR - 256 * balanceLR) > 5120) {
            ++lrJumpCount;
            jumped = true;
            if (lrJumpCount >= 2) {
                fastLR = jumpTo(balanceLR);
                fastCS = smooth8(balanceCS, fastCS);
            }
        }
    } else if (absCS > 30 && levelState == 0) {
        if (std::abs(fastCS - 256 * balanceCS) > 5120) {
            ++csJumpCount;
            jumped = true;
            if (csJumpCount >= 2) {
                fastCS = jumpTo(balanceCS);
                fastLR = smooth8(balanceLR, fastLR);
            }
        }
    } else if ((balanceCS == -15 || balanceCS == -14) && (absLR == 14 || absLR == 15)) {
        if (patternHold <= 1) {
            patternHold = 5;
        } else {
            fastLR = jumpTo(balanceLR);
            fastCS = jumpTo(balanceCS);
            jumped = true;
            patternHold = 10;
        }
    }
    if (!jumped) {
        fastLR = smooth8(balanceLR, fastLR);
        fastCS = smooth8(balanceCS, fastCS);
        if (patternHold > 0) --patternHold;
        if (lrJumpCount > 0) --lrJumpCount;
        if (csJumpCount > 0) --csJumpCount;
    }

    targetLR = static_cast<std::int16_t>((fastLR + 128) >> 8);
    targetCS = static_cast<std::int16_t>((fastCS + 128) >> 8);
    const int absTargetLR = std::abs(targetLR);
    const int absTargetCS = std::abs(targetCS);

    if (levelState != 0) {
        // Quiet passages: only drift slowly.
        steerLR = slow(targetLR, steerLR);
        steerCS = slow(targetCS, steerCS);
        return;
    }
    if (absTargetLR <= 12 && absTargetCS <= 12) {
        steerLR = std::abs((steerLR >> 8) - targetLR) < 16 ? slow(targetLR, steerLR) : adapt(targetLR, steerLR);
        steerCS = std::abs((steerCS >> 8) - targetCS) < 8 ? slow(targetCS, steerCS) : adapt(targetCS, steerCS);
        return;
    }
    if (patternHold == 10) {
        steerLR = jumpTo(targetLR);
        steerCS = jumpTo(targetCS);
        patternHold = 0;
        return;
    }
    if (absTargetLR > 12) {
        const bool behind = targetLR > 0 ? (steerLR + 128 < 0 || steerLR < 256 * (targetLR - 1))
                                         : (steerLR + 128 > 0 || steerLR > 256 * (targetLR + 1));
        steerLR = behind ? adapt(targetLR, steerLR) : medium(targetLR, steerLR);
        if (absTargetCS < absTargetLR && LimitTable[std::min(absTargetLR, 45) - 12] < std::abs(steerCS >> 8)) {
            steerCS = jumpTo(targetCS);
        }
        steerCS = slow(targetCS, steerCS);
    }
    if (absTargetCS > 12) {
        if (targetCS > 0) {
            const bool behind = steerCS + 128 < 0 || steerCS < 256 * (targetCS - 1);
            steerCS = behind ? adapt(targetCS, steerCS) : medium(targetCS, steerCS);
        } else {
            steerCS = adapt(targetCS, steerCS);
        }
        if (absTargetLR < absTargetCS && LimitTable[std::min(absTargetCS, 45) - 12] < std::abs((steerLR + 128) >> 8)) {
            steerLR = jumpTo(targetLR);
        }
        steerLR = slow(targetLR, steerLR);
    }
}

void SteeringController::updateTargets() {
    allpassCoef.advance();

    angleLR = static_cast<std::int16_t>(angle(steerLR));
    angleCS = static_cast<std::int16_t>(angle(steerCS));
    const int a = angleLR;
    const int b = angleCS;
    const int absA = std::abs(a);
    const int absB = std::abs(b);

    if (b < 0) {
        // Surround side: the dominant surround gain, the other side scaled down as the image
        // moves off centre, and the difference signal once the angle passes 22 degrees.
        GainRamp& front = a >= 0 ? gainFrontLeft : gainFrontRight;
        GainRamp& otherFront = a >= 0 ? gainFrontRight : gainFrontLeft;
        GainRamp& surround = a >= 0 ? gainSurroundLeft : gainSurroundRight;
        GainRamp& otherSurround = a >= 0 ? gainSurroundRight : gainSurroundLeft;
        gainCentre.target = 0.0f;
        otherFront.target = 0.0f;
        front.target = static_cast<float>(std::max(0.0, (absA - absB) / 45.0));
        surround.target = static_cast<float>(absB < 22 ? 2.0 * absB / 45.0 : (45 - absB) / 23.0);
        otherSurround.target =
            absA < 22 ? static_cast<float>((22 - absA) * static_cast<double>(surround.target) / 22.0) : 0.0f;
        allpassCoef.target = static_cast<float>(AllpassTable[absB / 2] / 256.0);
        gainDifference.target = static_cast<float>(std::max(0.0, (absB - 22) / 23.0));
    } else {
        gainCentre.target = static_cast<float>(absB / 45.0);
        gainFrontLeft.target = a >= 0 ? static_cast<float>(absA / 45.0) : 0.0f;
        gainFrontRight.target = a >= 0 ? 0.0f : static_cast<float>(absA / 45.0);
        gainSurroundLeft.target = 0.0f;
        gainSurroundRight.target = 0.0f;
        gainDifference.target = 0.0f;
        allpassCoef.target = 0.0f;
    }

    for (GainRamp* ramp : {&gainFrontLeft, &gainFrontRight, &gainSurroundLeft, &gainSurroundRight, &gainDifference,
                           &gainCentre, &allpassCoef}) {
        ramp->step = step(ramp->target, ramp->current);
    }
}

}  // namespace tevaro::dsp
