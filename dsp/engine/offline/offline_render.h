#pragma once
// Runs a whole stereo programme through a DspChain exactly as the DSP plug-in processes it, for
// the command-line tool, the golden and loudness measurements and the benchmarks.
//
// How the plug-in's clock is played: the chain is created at tick 0 with the chosen settings in
// the block, and every buffer is processed at tick 500. So exactly one settings refresh happens,
// before the first buffer (it configures the reverberator and reads the mute slot, as a refresh in
// the player does), and none after. Buffers hold `bufferFrames` frames; the last one is shorter.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "dsp/engine/dsp_chain.h"

namespace tevaro::dsp {

struct ChainSettings {
    std::uint32_t word = 0;
    bool surroundOn = true;
    bool mute = false;
};

class OfflineRenderer {
public:
    static constexpr std::size_t bufferFrames = 4096;
    static constexpr std::uint32_t creationTickMs = 0;
    static constexpr std::uint32_t processTickMs = 500;

    explicit OfflineRenderer(const ChainSettings& settings);

    // Processes the next part of the programme (interleaved stereo, whole frames) in buffers of
    // bufferFrames frames; state carries over between calls.
    void render(const std::int16_t* in, std::int16_t* out, std::size_t frames);

private:
    static std::int32_t readSlot(void* context, int slot);

    std::int32_t slots[5];
    std::unique_ptr<DspChain> chain;
};

// Renders a whole programme with fresh state; `progress` (if set) gets the fraction done after
// every buffer.
void renderProgramme(const ChainSettings& settings, const std::int16_t* in, std::int16_t* out, std::size_t frames,
                     const std::function<void(double)>& progress = {});

}  // namespace tevaro::dsp
