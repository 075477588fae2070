#pragma once
// The surround chain as a live audio plug-in runs it: planar float stereo in and out, converted to
// and from the interleaved 16-bit buffers the Windows plug-in processes, and the controls handed
// every cycle.
//
// The chain's own clock is played as the command-line tool plays it: the first cycle after
// `activate` creates the chain at tick 0 and processes at tick 500, so exactly one settings
// refresh runs before the first samples (it configures the reverberator, as the player's first
// refresh does); a cycle whose controls differ from the last one's advances the tick by 500, so
// the new settings take effect at its first sample. The output therefore equals tevaro-dsp's for
// the same settings, whatever the host's block size.
//
// LiveChain is large (the reverberator's lines): allocate it once; run allocates and locks nothing.
#include <cstddef>
#include <cstdint>

#include "dsp/engine/dsp_chain.h"
#include "dsp/lv2/live_controls.h"

namespace tevaro::dsp {

class LiveChain {
public:
    // The surround engine steers from the undelayed input and renders the input this many frames late.
    static constexpr int LatencyFrames = 220;
    // Frames converted per pass: the scratch buffers' size, not a block size the host must keep.
    static constexpr std::size_t ChunkFrames = 2048;

    // Starts over as a new plug-in object would; the next run creates the chain from its controls.
    void activate() { created = false; }

    // In and out may be the same buffers (hosts process in place).
    void run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, std::size_t frames,
             const LiveControls& controls);

    const DspChain& chain() const { return dsp; }

private:
    static std::int32_t readSlot(void* context, int slot);
    void publish(const LiveControls& controls);

    std::int32_t slots[5] = {};
    LiveControls published;
    bool created = false;
    std::uint32_t tickMs = 0;
    std::int16_t in16[2 * ChunkFrames] = {};
    std::int16_t out16[2 * ChunkFrames] = {};
    DspChain dsp;
};

}  // namespace tevaro::dsp
