#pragma once
// Matrix decoder for headphones. Per frame it splits the input delayed by 220 frames into steered
// components (front left and right, centre, surround left and right, difference, residuals) whose
// gains the steering controller derives from the undelayed input, then renders them through one of
// two branches: the room branch (Neutral) mixes them back to two channels with crossfeed delays,
// short combs and smoothing; the virtualiser branch renders the two surround feeds through rear
// head-related filter pairs and adds half of what the output buffer already holds.
#include <cstddef>
#include <cstdint>

#include "dsp/engine/dual_fir.h"
#include "dsp/engine/fir_pair.h"
#include "dsp/engine/steering_controller.h"

namespace tevaro::dsp {

class SurroundEngine {
public:
    static constexpr int historySlots = 2048;
    static constexpr int lookAhead = 220;  // frames between steering analysis and the steered signal
    static constexpr std::size_t blockFrames = 64;  // frames per rear-filter block

    void reset();
    void setFlags(std::uint32_t word) { flags = static_cast<std::int32_t>(word); }
    // (samples >> 1) interleaved stereo frames; in the virtualiser branch the output buffer's
    // previous content (the reverberator's output) is read before it is overwritten.
    void process(std::size_t samples, const std::int16_t* in, std::int16_t* out);

    const SteeringController& steering() const { return controller; }
    std::int32_t settingsFlags() const { return flags; }
    const DualFir& firLeftLine() const { return firLeft; }
    const DualFir& firRightLine() const { return firRight; }

private:
    // Runs the steering detector over the next frames up to its 64-frame update; returns how many.
    std::size_t detectAhead(const std::int16_t* in, std::size_t frames);
    // Everything of a frame but the detector, which detectAhead() has run.
    void decodeFrame(float inLeft, float inRight);
    void renderRoomBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames);
    void renderRoom(std::int16_t* out);
    void renderVirtualiserBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames);
    void advance();

    std::int32_t flags;
    alignas(64) float ringLeft[historySlots];
    alignas(64) float ringRight[historySlots];
    std::int16_t writePos;
    std::int16_t readPos;
    SteeringController controller;
    float inLeft, inRight;
    float frontLeft, frontRight;
    float difference, differenceSmooth;
    float surroundLeft, surroundLeftSmooth;
    float surroundRight, surroundRightSmooth;
    float residualLeft, residualLeftSmooth;
    float residualRight, residualRightSmooth;
    float centre;
    float mixLeft, mixRight;
    float crossLeftLow, crossRightLow;
    float crossLeft, crossRight;
    float allpassSurroundRight, allpassResidualRight, allpassFrontRight;  // all-pass states
    float echoResidualLeft, echoResidualRight;
    float echoSurroundLeft, echoSurroundRight;
    float echoFrontLeft, echoFrontRight;
    // Crossfeed histories in the order they are written each frame.
    float crossSurroundLeft[64], crossSurroundRight[64];
    float crossFrontLeft[64], crossFrontRight[64];
    float crossResidualLeft[64], crossResidualRight[64];
    float combLeft[16], combRight[16];
    std::int16_t pos64, pos16;
    float kResidual, kSurround, kFront, kComb, kCross, kSurroundSmooth, kResidualSmooth, kDifference;
    DualFir firLeft, firRight;  // rear filter lines of the left and right surround feeds
    double earLeftFromLeft, earLeftFromRight, earRightFromLeft, earRightFromRight;
    FirPairKernel firKernel;  // the fastest bit-exact kernel of this processor
};

}  // namespace tevaro::dsp
