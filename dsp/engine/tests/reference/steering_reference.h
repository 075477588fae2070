#pragma once
// The steering controller written plainly, one frame at a time, each rule in the order it is
// stated: the independent oracle the optimised SteeringController is compared with. Nothing here
// is shared with the product code, not even the tables, and nothing is fast: every float formula
// is evaluated in double and rounded to float exactly where a float field stores it.
#include <cstdint>

namespace tevaro::dsp::reference {

// Which rules of the 64-frame updates a programme made the controller take, so that a comparison
// can prove it exercised all of them.
struct SteeringBranches {
    long quietLevel = 0;       // levelState 1: 4.5 to 7 dB below the tracked peak
    long silentLevel = 0;      // levelState 2: further below
    long wrappedLevel = 0;     // an envelope of 32768 or more read through the 16-bit wrap
    long lrJumpCounted = 0;    // a sudden left/right change counted, not yet confirmed
    long lrJumpConfirmed = 0;  // ... confirmed: the fast estimate jumps
    long csJumpCounted = 0;    // the same for centre/surround
    long csJumpConfirmed = 0;
    long patternArmed = 0;       // the -15/-14 pattern seen once: its hold set to 5
    long patternRearmed = 0;     // ... seen again when the hold is down to 1: set to 5 again
    long patternConfirmed = 0;   // ... seen again within the hold: both estimates jump
    long fastSmoothed = 0;       // no jump: both fast estimates smoothed, holds counted down
    long driftQuiet = 0;         // levelState not 0: both steering positions drift slowly
    long nearCentre = 0;         // both targets within 12
    long nearCentreAdapt = 0;    // ... and one position too far from its target to drift
    long patternSnap = 0;        // a confirmed pattern snaps both positions
    long lrLeading = 0;          // left/right target beyond 12, positive
    long lrLeadingNegative = 0;  // ... zero or negative
    long lrBehind = 0;           // ... and the position behind it: adapted
    long lrAhead = 0;            // ... or not: medium step
    long csSnappedByLr = 0;      // the centre/surround position beyond LimitTable: jumps to its target
    long csLeading = 0;          // centre/surround target beyond 12, positive
    long csLeadingNegative = 0;  // ... zero or negative (always adapted)
    long csBehind = 0;           // positive and behind: adapted
    long csAhead = 0;            // positive and not behind: medium step
    long lrSnappedByCs = 0;      // the left/right position beyond LimitTable: jumps to its target
    long adaptJump = 0;          // adapt: more than 20 away
    long adaptSmooth = 0;        // adapt: 14 to 20 away
    long adaptMedium = 0;        // adapt: 13 or less
    long surroundLeftSide = 0;   // targets for b < 0 and a >= 0
    long surroundRightSide = 0;  // b < 0 and a < 0
    long surroundNarrow = 0;     // b < 0, B < 22
    long surroundWide = 0;       // b < 0, B >= 22
    long surroundBothSides = 0;  // b < 0, A < 22: the other surround side takes a share
    long surroundOneSide = 0;    // b < 0, A >= 22: it takes none
    long frontLeftSide = 0;      // b >= 0, a >= 0
    long frontRightSide = 0;     // b >= 0, a < 0
};

struct SteeringReference {
    struct Ramp {
        float target;
        float step;
        float current;
    };

    float detectorCoef;
    float detectorKeep;
    std::int16_t levelTracker;
    std::int32_t frameCounter;
    std::uint8_t levelState;
    std::uint8_t patternHold, lrJumpCount, csJumpCount;
    std::int16_t angleLR, angleCS;
    float detLeft, detRight;
    float lowPass1Left, lowPass1Right, previousLeft, previousRight, lowPass2Left, lowPass2Right;
    float envLeft, envRight, envSum, envDiff;
    Ramp gainFrontLeft, gainFrontRight, gainCentre, gainSurroundLeft, gainSurroundRight, gainDifference, allpassCoef;
    std::int16_t levelLeft, levelRight, levelSum, levelDiff;
    std::int16_t balanceLR, balanceCS;
    std::int16_t fastLR, fastCS;
    std::int16_t steerLR, steerCS;
    std::int16_t targetLR, targetCS;

    SteeringBranches taken;

    void reset();
    void detect(float inLeft, float inRight);
    void tick();

    static int level(double x);

private:
    void rampSignalGains();
    void updateSteering();
    void updateTargets();
    std::int16_t adapt(int t, int p);
};

}  // namespace tevaro::dsp::reference
