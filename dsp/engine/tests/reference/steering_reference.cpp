#include "dsp/engine/tests/reference/steering_reference.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

namespace tevaro::dsp::reference {
namespace {

constexpr double pi = 3.14159265358979323846;

// Steering angle in degrees of a level difference of k units (12 units per octave of amplitude,
// so 40 units per decade of power ratio r).
int angleTable(int k) {
    const double r = std::pow(10.0, k / 40.0);
    return static_cast<int>(std::lround(std::atan((r - 1.0) / (r + 1.0)) * 180.0 / pi));
}

// Fraction of an octave, in level units, of the mantissa 1 + m / 32.
int logTable(int m) { return static_cast<int>(std::lround(12.0 * std::log2(1.0 + m / 32.0))); }

const int limitTable[34] = {22, 20, 18, 17, 16, 15, 14, 13, 12, 11, 10, 10, 9, 9, 8, 8, 8,
                            7,  7,  7,  6,  6,  5,  5,  4,  4,  4,  4,  4,  3, 3, 3, 3, 3};
const int allpassTable[25] = {0,   20,  40,  60,  80,  100, 120, 140, 160, 180, 200, 220, 235,
                              240, 245, 250, 253, 255, 255, 255, 255, 255, 255, 255, 255};

int maxOf(int a, int b) { return a > b ? a : b; }
int minOf(int a, int b) { return a < b ? a : b; }
double maxOf(double a, double b) { return a > b ? a : b; }

// The followers only rise, a quarter of the way to |x| each frame.
float follow(double x, float env) {
    const double magnitude = std::fabs(x);
    if (env < magnitude) return static_cast<float>(env + (magnitude - env) * 0.25);
    return env;
}

// Arithmetic shifts of 8.8 values; every result is stored as a 16-bit value.
std::int16_t store16(int v) { return static_cast<std::int16_t>(v); }
std::int16_t smooth8(int t, int p) { return store16(p + 32 * t - (p >> 3)); }
std::int16_t slow(int t, int p) { return store16(p + 4 * t - (p >> 6)); }
std::int16_t medium(int t, int p) { return store16(p + 8 * t - (p >> 5)); }

int angle(int p) {
    const int i = (p + 128) >> 8;
    if (i >= 0) return angleTable(minOf(i, 90));
    return -angleTable(minOf(-i, 90));
}

float step(float target, float current) {
    const double d = static_cast<double>(target) - static_cast<double>(current);
    const long long m = std::llabs(static_cast<long long>(d * 256.0));
    double rate = 8.0;
    if (m < 80) rate = 4.0;
    if (m < 40) rate = 2.0;
    if (m < 20) rate = 1.0;
    if (m < 10) rate = 0.5;
    if (d >= 0.0) return static_cast<float>(rate / 256.0);
    return static_cast<float>(-rate / 256.0);
}

void advance(SteeringReference::Ramp& r) {
    if (r.target != r.current) r.current = static_cast<float>(static_cast<double>(r.current) + r.step);
}

int clampBalance(int v) { return v < -126 ? -126 : (v > 126 ? 126 : v); }

}  // namespace

void SteeringReference::reset() {
    *this = SteeringReference{};
    detectorCoef = 0.0625f;
    detectorKeep = static_cast<float>(1.0 - 0.0625);
}

int SteeringReference::level(double x) {
    const long long whole = static_cast<long long>(x);
    unsigned v = (static_cast<unsigned>(whole) & 0xFFFFu) | 1u;
    int e = 194;
    while ((v & 0x4000u) == 0) {
        v = (v << 1) & 0xFFFFu;
        e -= 12;
    }
    return e + logTable(static_cast<int>((v & 0x3FFFu) >> 9));
}

void SteeringReference::detect(float inLeft, float inRight) {
    lowPass1Left = static_cast<float>(detectorKeep * static_cast<double>(lowPass1Left) - detectorCoef * double{inLeft});
    const double yLeft = 0.5 * inLeft + 0.5 * previousLeft + lowPass1Left;
    previousLeft = inLeft;
    lowPass2Left = static_cast<float>(detectorKeep * static_cast<double>(lowPass2Left) - detectorCoef * yLeft);
    detLeft = static_cast<float>(yLeft + lowPass2Left);

    lowPass1Right =
        static_cast<float>(detectorKeep * static_cast<double>(lowPass1Right) - detectorCoef * double{inRight});
    const double yRight = 0.5 * inRight + 0.5 * previousRight + lowPass1Right;
    previousRight = inRight;
    lowPass2Right = static_cast<float>(detectorKeep * static_cast<double>(lowPass2Right) - detectorCoef * yRight);
    detRight = static_cast<float>(yRight + lowPass2Right);

    envLeft = follow(detLeft, envLeft);
    envRight = follow(detRight, envRight);
    envSum = follow(double{detLeft} + detRight, envSum);
    envDiff = follow(double{detLeft} - detRight, envDiff);
}

void SteeringReference::tick() {
    frameCounter += 1;
    if (frameCounter % 16 == 0) rampSignalGains();
    if (frameCounter % 64 == 0) {
        updateSteering();
        updateTargets();
    }
}

void SteeringReference::rampSignalGains() {
    advance(gainFrontLeft);
    advance(gainFrontRight);
    advance(gainSurroundLeft);
    advance(gainSurroundRight);
    advance(gainDifference);
    advance(gainCentre);
}

std::int16_t SteeringReference::adapt(int t, int p) {
    const int d = std::abs(t - (p >> 8));
    if (d > 20) {
        ++taken.adaptJump;
        return store16(t * 256);
    }
    if (d > 13) {
        ++taken.adaptSmooth;
        return smooth8(t, p);
    }
    ++taken.adaptMedium;
    return medium(t, p);
}

void SteeringReference::updateSteering() {
    // The levels of the four followers, which then start again.
    frameCounter = 0;
    for (float env : {envLeft, envRight, envSum, envDiff}) {
        if (env >= 32768.0f) ++taken.wrappedLevel;
    }
    levelLeft = store16(level(envLeft));
    levelRight = store16(level(envRight));
    levelSum = store16(level(envSum));
    levelDiff = store16(level(envDiff));
    envLeft = 0.0f;
    envRight = 0.0f;
    envSum = 0.0f;
    envDiff = 0.0f;

    balanceLR = store16(clampBalance(levelLeft - levelRight));
    balanceCS = store16(clampBalance(levelSum - levelDiff));
    const int A = std::abs(balanceLR);
    const int B = std::abs(balanceCS);

    // How far the louder side is below its slowly tracked peak.
    const int peak = static_cast<std::uint16_t>(128 * maxOf(levelLeft, levelRight));
    if (levelTracker < peak) levelTracker = store16(levelTracker + (peak - levelTracker) / 2);
    const int d = levelTracker - peak;
    if (d < 1152) {
        levelState = 0;
    } else if (d > 1792) {
        levelState = 2;
        ++taken.silentLevel;
    } else {
        levelState = 1;
        ++taken.quietLevel;
    }
    if (levelTracker > 40) levelTracker = store16(levelTracker - 15);

    // A sudden, confirmed change of direction moves the fast estimates at once.
    bool jumped = false;
    if (A > 30 && levelState == 0) {
        if (std::abs(fastLR - 256 * balanceLR) > 5120) {
            lrJumpCount += 1;
            jumped = true;
            if (lrJumpCount >= 2) {
                ++taken.lrJumpConfirmed;
                fastLR = store16(256 * balanceLR);
                fastCS = smooth8(balanceCS, fastCS);
            } else {
                ++taken.lrJumpCounted;
            }
        }
    } else if (B > 30 && levelState == 0) {
        if (std::abs(fastCS - 256 * balanceCS) > 5120) {
            csJumpCount += 1;
            jumped = true;
            if (csJumpCount >= 2) {
                ++taken.csJumpConfirmed;
                fastCS = store16(256 * balanceCS);
                fastLR = smooth8(balanceLR, fastLR);
            } else {
                ++taken.csJumpCounted;
            }
        }
    } else if ((balanceCS == -15 || balanceCS == -14) && (A == 14 || A == 15)) {
        if (patternHold == 0 || patternHold == 1) {
            ++(patternHold == 0 ? taken.patternArmed : taken.patternRearmed);
            patternHold = 5;
        } else {
            ++taken.patternConfirmed;
            fastLR = store16(256 * balanceLR);
            fastCS = store16(256 * balanceCS);
            jumped = true;
            patternHold = 10;
        }
    }

    if (!jumped) {
        ++taken.fastSmoothed;
        fastLR = smooth8(balanceLR, fastLR);
        fastCS = smooth8(balanceCS, fastCS);
        if (patternHold > 0) patternHold -= 1;
        if (lrJumpCount > 0) lrJumpCount -= 1;
        if (csJumpCount > 0) csJumpCount -= 1;
    }

    targetLR = store16((fastLR + 128) >> 8);
    targetCS = store16((fastCS + 128) >> 8);
    const int At = std::abs(targetLR);
    const int Bt = std::abs(targetCS);

    if (levelState != 0) {
        ++taken.driftQuiet;
        steerLR = slow(targetLR, steerLR);
        steerCS = slow(targetCS, steerCS);
        return;
    }
    if (At <= 12 && Bt <= 12) {
        ++taken.nearCentre;
        if (std::abs((steerLR >> 8) - targetLR) < 16) {
            steerLR = slow(targetLR, steerLR);
        } else {
            ++taken.nearCentreAdapt;
            steerLR = adapt(targetLR, steerLR);
        }
        if (std::abs((steerCS >> 8) - targetCS) < 8) {
            steerCS = slow(targetCS, steerCS);
        } else {
            ++taken.nearCentreAdapt;
            steerCS = adapt(targetCS, steerCS);
        }
        return;
    }
    if (patternHold == 10) {
        ++taken.patternSnap;
        steerLR = store16(256 * targetLR);
        steerCS = store16(256 * targetCS);
        patternHold = 0;
        return;
    }
    if (At > 12) {
        bool behind;
        if (targetLR > 0) {
            ++taken.lrLeading;
            behind = steerLR + 128 < 0 || steerLR < 256 * (targetLR - 1);
        } else {
            ++taken.lrLeadingNegative;
            behind = steerLR + 128 > 0 || steerLR > 256 * (targetLR + 1);
        }
        if (behind) {
            ++taken.lrBehind;
            steerLR = adapt(targetLR, steerLR);
        } else {
            ++taken.lrAhead;
            steerLR = medium(targetLR, steerLR);
        }
        if (Bt < At && limitTable[minOf(At, 45) - 12] < std::abs(steerCS >> 8)) {
            ++taken.csSnappedByLr;
            steerCS = store16(256 * targetCS);
        }
        steerCS = slow(targetCS, steerCS);
    }
    if (Bt > 12) {
        if (targetCS > 0) {
            ++taken.csLeading;
            if (steerCS + 128 < 0 || steerCS < 256 * (targetCS - 1)) {
                ++taken.csBehind;
                steerCS = adapt(targetCS, steerCS);
            } else {
                ++taken.csAhead;
                steerCS = medium(targetCS, steerCS);
            }
        } else {
            ++taken.csLeadingNegative;
            steerCS = adapt(targetCS, steerCS);
        }
        if (At < Bt && limitTable[minOf(Bt, 45) - 12] < std::abs((steerLR + 128) >> 8)) {
            ++taken.lrSnappedByCs;
            steerLR = store16(256 * targetLR);
        }
        steerLR = slow(targetLR, steerLR);
    }
}

void SteeringReference::updateTargets() {
    // The all-pass coefficient takes its step once per update.
    if (allpassCoef.target != allpassCoef.current) {
        allpassCoef.current = static_cast<float>(static_cast<double>(allpassCoef.current) + allpassCoef.step);
    }

    angleLR = store16(angle(steerLR));
    angleCS = store16(angle(steerCS));
    const int a = angleLR;
    const int b = angleCS;
    const int A = std::abs(a);
    const int B = std::abs(b);

    if (b < 0) {
        // Surround side.
        if (B < 22) {
            ++taken.surroundNarrow;
        } else {
            ++taken.surroundWide;
        }
        if (A < 22) {
            ++taken.surroundBothSides;
        } else {
            ++taken.surroundOneSide;
        }
        if (a >= 0) {
            ++taken.surroundLeftSide;
            gainCentre.target = 0.0f;
            gainFrontRight.target = 0.0f;
            gainFrontLeft.target = static_cast<float>(maxOf(0.0, (A - B) / 45.0));
            gainSurroundLeft.target = static_cast<float>(B < 22 ? 2.0 * B / 45.0 : (45 - B) / 23.0);
            gainSurroundRight.target =
                A < 22 ? static_cast<float>((22 - A) * static_cast<double>(gainSurroundLeft.target) / 22.0) : 0.0f;
        } else {
            ++taken.surroundRightSide;
            gainCentre.target = 0.0f;
            gainFrontLeft.target = 0.0f;
            gainFrontRight.target = static_cast<float>(maxOf(0.0, (A - B) / 45.0));
            gainSurroundRight.target = static_cast<float>(B < 22 ? 2.0 * B / 45.0 : (45 - B) / 23.0);
            gainSurroundLeft.target =
                A < 22 ? static_cast<float>((22 - A) * static_cast<double>(gainSurroundRight.target) / 22.0) : 0.0f;
        }
        allpassCoef.target = static_cast<float>(allpassTable[B / 2] / 256.0);
        gainDifference.target = static_cast<float>(maxOf(0.0, (B - 22) / 23.0));
    } else {
        // Front side.
        gainCentre.target = static_cast<float>(B / 45.0);
        if (a >= 0) {
            ++taken.frontLeftSide;
            gainFrontLeft.target = static_cast<float>(A / 45.0);
            gainFrontRight.target = 0.0f;
        } else {
            ++taken.frontRightSide;
            gainFrontRight.target = static_cast<float>(A / 45.0);
            gainFrontLeft.target = 0.0f;
        }
        gainSurroundLeft.target = 0.0f;
        gainSurroundRight.target = 0.0f;
        gainDifference.target = 0.0f;
        allpassCoef.target = 0.0f;
    }

    for (Ramp* r : {&gainFrontLeft, &gainFrontRight, &gainSurroundLeft, &gainSurroundRight, &gainDifference,
                    &gainCentre, &allpassCoef}) {
        r->step = step(r->target, r->current);
    }
}

}  // namespace tevaro::dsp::reference
