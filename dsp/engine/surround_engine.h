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
#include "dsp/engine/stereo_pair.h"

namespace tevaro::dsp {

struct CoefficientSet;

// The rear pair of the virtualiser branch for the two surround feeds.
struct RearChoice {
    const CoefficientSet* set;
    int taps;
};

// Rear set and tap count of a settings word; the first preset bit found wins (none for Neutral).
RearChoice chooseRearSet(std::int32_t flags);

struct FrameDecoder;

class SurroundEngine {
public:
    static constexpr int historySlots = 2048;
    static constexpr int lookAhead = 220;           // frames between steering analysis and the steered signal
    static constexpr std::size_t blockFrames = 64;  // frames per rear-filter block
    static constexpr std::size_t rampFrames = 16;   // frames between two steps of the steering gains

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
    // The frames of a block are decoded in runs between two ramp steps of the steering, while
    // its gains stand still; the controller ticks once the run is done.
    void renderRoomBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames);
    void renderRoomRun(const std::int16_t* in, std::int16_t* out, std::size_t frames);
    void renderVirtualiserBlock(const std::int16_t* in, std::int16_t* out, std::size_t frames);
    // The decoder state in locals for a run of frames, and back.
    FrameDecoder startDecoding();
    void stopDecoding(const FrameDecoder& decoder);
    // The surround feeds and the extra ear term of each frame of a run.
    void decodeFeedsRun(const std::int16_t* in, std::size_t frames, double* feedLeft, double* feedRight, double* extra);

    std::int32_t flags;
    // Histories hold float values widened to double (exactly): read back, they need no conversion.
    alignas(64) DoublePair history[historySlots];  // undelayed input frames, left then right
    std::int16_t writePos;
    SteeringController controller;
    float allpassSurroundRight, allpassResidualRight, allpassFrontRight;  // all-pass states
    // Room branch state; pairs hold the left side, then the right.
    float differenceSmooth;
    FloatPair echoResidual, echoFront, echoSurround;
    FloatPair crossLow;
    FloatPair surroundSmooth, residualSmooth;
    // Crossfeed histories of the echoes, in the order they are written each frame.
    DoublePair crossSurround[64], crossFront[64], crossResidual[64];
    DoublePair comb[16];
    std::int16_t pos64, pos16;
    float kResidual, kSurround, kFront, kComb, kCross, kSurroundSmooth, kResidualSmooth, kDifference;
    DualFir firLeft, firRight;  // rear filter lines of the left and right surround feeds
    FirPairKernel firKernel;    // the fastest bit-exact kernel of this processor
};

}  // namespace tevaro::dsp
