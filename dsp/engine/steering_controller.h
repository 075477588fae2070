#pragma once
// Direction analysis of the surround engine: measures the undelayed input and steers seven gains
// that the engine applies 220 frames later. Per frame a detector and four peak followers run;
// every 16 frames six gains take a step; every 64 frames the levels are read, the steering
// positions updated and new targets and steps computed. After the followers everything is
// integer arithmetic in level units (12 per octave) and 8.8 fixed point with arithmetic shifts.
#include <cstddef>
#include <cstdint>

#include "dsp/engine/gain_ramp.h"
#include "dsp/engine/stereo_pair.h"

namespace tevaro::dsp {

struct SteeringController {
    float detectorCoef;         // 0.0625
    float detectorKeep;         // 1 - detectorCoef
    std::int16_t levelTracker;  // slow peak of the louder side, level units x 128
    std::int32_t frameCounter;  // frames since the last 64-frame update
    std::uint8_t levelState;    // 0 near the tracked peak, 1 4.5..7 dB below, 2 further below
    std::uint8_t patternHold;
    std::uint8_t lrJumpCount;
    std::uint8_t csJumpCount;
    std::int16_t angleLR;  // degrees, -45..45
    std::int16_t angleCS;
    float detLeft, detRight;  // detector outputs of this frame
    float lowPass1Left, lowPass1Right;
    float previousLeft, previousRight;
    float lowPass2Left, lowPass2Right;
    float envLeft, envRight, envSum, envDiff;  // rising-only followers, cleared every 64 frames
    GainRamp gainFrontLeft;
    GainRamp gainFrontRight;
    GainRamp gainCentre;
    GainRamp gainSurroundLeft;
    GainRamp gainSurroundRight;
    GainRamp gainDifference;
    GainRamp allpassCoef;
    std::int16_t levelLeft, levelRight, levelSum, levelDiff;
    std::int16_t balanceLR, balanceCS;  // level differences clamped to +-126
    std::int16_t fastLR, fastCS;        // 8.8
    std::int16_t steerLR, steerCS;      // 8.8
    std::int16_t targetLR, targetCS;

    void reset();
    // Detector filter and followers for one undelayed input frame.
    void detect(float inLeft, float inRight);
    // detect() for consecutive frames, the state kept in registers meanwhile. The followers are
    // read only by the 64-frame update, so a run may go ahead of the ticks up to that update.
    void detectRun(const FloatPair* input, std::size_t frames);
    // Frames until and including the one whose tick runs the next 64-frame update.
    int framesToUpdate() const { return 64 - frameCounter; }
    // Frames until and including the one whose tick steps the ramps next: the gains stand still
    // until then.
    int framesToRamp() const { return 16 - frameCounter % 16; }
    // End of frame: 16-frame ramps, and every 64 frames the steering and target updates.
    void tick();
    // The ticks of `frames` frames, at most framesToRamp(): all but the last only count.
    void tickRun(int frames) {
        frameCounter += frames - 1;
        tick();
    }

    // Log level of an envelope: about 12 * log2(x) + 26, computed on the low 16 bits of trunc(x)
    // so that envelopes of 32768 and more wrap to smaller levels.
    static std::int16_t level(double x);

private:
    void stepRamps();
    void updateSteering();
    void updateTargets();
};

}  // namespace tevaro::dsp
