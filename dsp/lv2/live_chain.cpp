#include "dsp/lv2/live_chain.h"

#include <algorithm>

#include "dsp/lv2/sample_bridge.h"
#include "settings_link/settings_block.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {

std::int32_t LiveChain::readSlot(void* context, int slot) {
    const auto* block = static_cast<const std::int32_t*>(context);
    return slot >= 0 && slot < 5 ? block[slot] : 0;
}

// The block as a ready panel leaves it: the switch in its slot and, as the panel publishes it,
// in the word too.
void LiveChain::publish(const LiveControls& controls) {
    const std::uint32_t word = settingsWordOf(controls) | (controls.surroundOn ? FlagSurroundOn : 0u);
    slots[SettingsBlock::panelReady] = 1;
    slots[SettingsBlock::dspAlive] = 1;
    slots[SettingsBlock::surroundOn] = controls.surroundOn ? 1 : 0;
    slots[SettingsBlock::settingsWord] = static_cast<std::int32_t>(word);
    slots[SettingsBlock::mute] = controls.mute ? 1 : 0;
    published = controls;
}

void LiveChain::run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, std::size_t frames,
                    const LiveControls& controls) {
    if (!created) {
        publish(controls);
        dsp.create(&LiveChain::readSlot, slots, 0);
        tickMs = DspChain::refreshIntervalMs;
        created = true;
    } else if (!(controls == published)) {
        publish(controls);
        tickMs += DspChain::refreshIntervalMs;
    }
    for (std::size_t done = 0; done < frames;) {
        const std::size_t n = std::min(ChunkFrames, frames - done);
        interleave16(inLeft + done, inRight + done, in16, n);
        dsp.process16(in16, out16, 2 * n, 2, tickMs);
        deinterleave16(out16, outLeft + done, outRight + done, n);
        done += n;
    }
}

}  // namespace tevaro::dsp
