#pragma once
// The surround engine written plainly: one frame at a time, the steps in the order the design
// gives them, every float formula evaluated in double and rounded to float exactly where a float
// field stores it. No runs, no pairs of lanes, no staggered loops: this is the oracle the
// optimised SurroundEngine is compared with bit for bit. The rear filters use DualFir::process
// one frame at a time, which is the filters' own scalar form.
#include <cstddef>
#include <cstdint>

#include "dsp/engine/dual_fir.h"
#include "dsp/engine/tests/reference/steering_reference.h"

namespace tevaro::dsp::reference {

struct SurroundReference {
    std::int32_t flags;
    float ringLeft[2048], ringRight[2048];
    std::int16_t writePos, readPos;
    SteeringReference steering;
    float inLeft, inRight;
    float frontLeft, frontRight, difference, differenceSmooth, surroundLeft, surroundLeftSmooth, surroundRight,
        surroundRightSmooth, residualLeft, residualLeftSmooth, residualRight, residualRightSmooth, centre;
    float mixLeft, mixRight, crossLeftLow, crossRightLow, crossLeft, crossRight;
    float allpassSurroundRight, allpassResidualRight, allpassFrontRight;
    float echoResidualLeft, echoResidualRight, echoSurroundLeft, echoSurroundRight, echoFrontLeft, echoFrontRight;
    // Crossfeed histories, in the order the echoes are written into them.
    float historySurroundLeft[64], historySurroundRight[64], historyFrontLeft[64], historyFrontRight[64],
        historyResidualLeft[64], historyResidualRight[64];
    float combLeft[16], combRight[16];
    std::int16_t pos64, pos16;
    float kResidual, kSurround, kFront, kComb, kCross, kSurroundSmooth, kResidualSmooth, kDifference;
    DualFir firLeft, firRight;
    double earLeftFromLeft, earLeftFromRight, earRightFromLeft, earRightFromRight;

    void reset();
    void setFlags(std::uint32_t word) { flags = static_cast<std::int32_t>(word); }
    void process(std::size_t samples, const std::int16_t* in, std::int16_t* out);

private:
    void frame(const std::int16_t* in, std::int16_t* out);
    void roomBranch(std::int16_t* out);
    void virtualiserBranch(std::int16_t* out);
};

}  // namespace tevaro::dsp::reference
