#include "dsp/engine/dsp_chain.h"

#include <algorithm>

#include "settings_link/settings_block.h"
#include "settings_link/stage_routing.h"

namespace tevaro::dsp {

void DspChain::create(SlotReader reader, void* context, std::uint32_t nowMs) {
    readSlot = reader;
    readContext = context;
    if (readSlot(readContext, SettingsBlock::panelReady) != 0) {
        surroundSwitch = readSlot(readContext, SettingsBlock::surroundOn);
        word = static_cast<std::uint32_t>(readSlot(readContext, SettingsBlock::settingsWord));
    } else {
        surroundSwitch = 0;
        word = 0;
    }
    muteState = 0;
    engine.reset();
    engine.setFlags(word);
    reverb.initialise();
    virtualiser.reset();
    lastRefresh = nowMs;
}

void DspChain::refreshIfDue(std::uint32_t nowMs) {
    // Unsigned difference: the wrap of the tick counter is harmless.
    if (nowMs - lastRefresh < refreshIntervalMs) return;
    lastRefresh = nowMs;
    if (readSlot(readContext, SettingsBlock::panelReady) == 0) {
        surroundSwitch = 0;
        return;
    }
    surroundSwitch = readSlot(readContext, SettingsBlock::surroundOn);
    word = static_cast<std::uint32_t>(readSlot(readContext, SettingsBlock::settingsWord));
    engine.setFlags(word);
    reverb.configure(word);
    muteState = readSlot(readContext, SettingsBlock::mute);
}

void DspChain::process16(const std::int16_t* in, std::int16_t* out, std::size_t samples, int channels,
                         std::uint32_t nowMs) {
    if (!isEnabled) {
        std::copy_n(in, samples, out);
        return;
    }
    refreshIfDue(nowMs);
    if (muteState != 0) {
        std::fill_n(out, samples, std::int16_t{0});
    } else if (surroundSwitch != 0 && channels == 2) {
        runStages(in, out, samples);
    } else {
        std::copy_n(in, samples, out);
    }
}

void DspChain::runStages(const std::int16_t* in, std::int16_t* out, std::size_t samples) {
    const StageRouting routing = routeStages(word);
    if (routing.passThrough) {
        std::copy_n(in, samples, out);
        return;
    }
    // A lone trailing sample is no frame: it passes unchanged so the whole buffer is defined.
    if (samples & 1) out[samples - 1] = in[samples - 1];
    if (routing.roomReverb) reverb.process(samples, in, out);
    if (routing.engine != EngineBranch::none) engine.process(samples, in, out);
    if (routing.virtualiserStage) virtualiser.process(word, in, out, samples);
}

}  // namespace tevaro::dsp
