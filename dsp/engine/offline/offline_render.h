#pragma once
// Runs a whole stereo programme through a DspChain exactly as the DSP plug-in processes it, for
// the command-line tool, the golden and loudness measurements and the benchmarks.
//
// How the plug-in's clock is played: the chain is created at tick 0 with the chosen settings in
// the block, and every buffer is processed at tick 500. So exactly one settings refresh happens,
// before the first buffer (it configures the reverberator and reads the mute slot, as a refresh in
// the player does), and none after, but where a settings change is scheduled: its buffer is
// processed 500 ms of ticks after the one before, so the chain refreshes first. Buffers hold
// `bufferFrames` frames (4096 unless given); the last one is shorter.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "dsp/engine/dsp_chain.h"

namespace tevaro::dsp {

// From buffer `buffer` on (counted from 0), the block's settings slot holds `slot`, the value the
// panel publishes (the word's low 16 bits, the switch bit included when it is on); the chain reads
// it at a refresh before that buffer.
struct SettingsChange {
    std::size_t buffer = 0;
    std::uint32_t slot = 0;
};

struct ChainSettings {
    std::uint32_t word = 0;
    bool surroundOn = true;
    bool mute = false;
};

// How a renderer cuts the programme into buffers, and the settings changes it replays.
struct RenderSchedule {
    std::size_t bufferFrames = 4096;
    std::vector<SettingsChange> changes;  // in buffer order
};

class OfflineRenderer {
public:
    static constexpr std::size_t bufferFrames = 4096;
    static constexpr std::uint32_t creationTickMs = 0;
    static constexpr std::uint32_t processTickMs = 500;

    explicit OfflineRenderer(const ChainSettings& settings, const RenderSchedule& schedule = {});

    // Processes the next part of the programme (interleaved stereo, whole frames) in buffers of
    // bufferFrames frames; state carries over between calls.
    void render(const std::int16_t* in, std::int16_t* out, std::size_t frames);

private:
    static std::int32_t readSlot(void* context, int slot);

    std::int32_t slots[5];
    std::unique_ptr<DspChain> chain;
    std::vector<SettingsChange> changes;
    std::size_t framesPerBuffer;
    std::size_t buffersDone = 0;
    std::size_t nextChange = 0;
    std::uint32_t tickMs = processTickMs;
};

// Renders a whole programme with fresh state; `progress` (if set) gets the fraction done after
// every buffer.
void renderProgramme(const ChainSettings& settings, const std::int16_t* in, std::int16_t* out, std::size_t frames,
                     const std::function<void(double)>& progress = {}, const RenderSchedule& schedule = {});

}  // namespace tevaro::dsp
