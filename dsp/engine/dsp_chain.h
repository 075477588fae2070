#pragma once
// The 16-bit processing of one output buffer as the DSP plug-in runs it: settings refresh from
// the settings block, mute, surround switch, then the room reverberator, the surround engine and
// the virtualiser stage as the settings word routes them. The same object runs inside the plug-in
// and in the native tools, so their outputs can be compared byte for byte.
//
// DspChain is large (the reverberator's memory alone is 256 KiB): allocate it once; process16
// allocates nothing.
#include <cstddef>
#include <cstdint>

#include "dsp/engine/room_reverb.h"
#include "dsp/engine/surround_engine.h"
#include "dsp/engine/virtualiser_stage.h"

namespace tevaro::dsp {

// Reads one 32-bit slot of the settings block (slot 0 panelReady, 2 surroundOn, 3 settingsWord,
// 4 mute).
using SlotReader = std::int32_t (*)(void* context, int slot);

class DspChain {
public:
    static constexpr std::uint32_t refreshIntervalMs = 500;

    // Reads the settings once (mute starts at 0), resets the engine with the settings word,
    // initialises the reverberator, clears the virtualiser lines and starts the refresh clock.
    void create(SlotReader reader, void* context, std::uint32_t nowMs);
    // One buffer of `samples` interleaved 16-bit values with `channels` channels, in to out
    // (different buffers). Streams that are not stereo are copied (or silenced when muted).
    void process16(const std::int16_t* in, std::int16_t* out, std::size_t samples, int channels, std::uint32_t nowMs);

    // A disabled chain copies its input before anything else happens (no refresh, no mute).
    void setEnabled(bool on) { isEnabled = on; }
    bool enabled() const { return isEnabled; }
    std::int32_t surroundOn() const { return surroundSwitch; }
    std::uint32_t settingsWord() const { return word; }
    std::int32_t mute() const { return muteState; }

    const SurroundEngine& surroundEngine() const { return engine; }
    const RoomReverb& roomReverb() const { return reverb; }

private:
    void refreshIfDue(std::uint32_t nowMs);
    void runStages(const std::int16_t* in, std::int16_t* out, std::size_t samples);

    SlotReader readSlot = nullptr;
    void* readContext = nullptr;
    bool isEnabled = true;
    std::uint32_t lastRefresh = 0;
    std::int32_t surroundSwitch = 0;
    std::uint32_t word = 0;
    std::int32_t muteState = 0;
    SurroundEngine engine;
    RoomReverb reverb;
    VirtualiserStage virtualiser;
};

}  // namespace tevaro::dsp
