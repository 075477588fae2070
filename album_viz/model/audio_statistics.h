#pragma once
#include <cstdint>

namespace tevaro::album {

// The player hands two channels of 1024 frequency bytes; the bars read 254 reduced bins of each.
constexpr int FrequencyBytes = 1024;
constexpr int ReducedBins = 256;
constexpr int LevelRingSize = 67;
constexpr int SpectrumLength = 520;

// The audio input of the bars, refreshed from the player's levels on every frame.
struct AudioFrame {
    std::int32_t left[SpectrumLength] = {};   // entries 1..254 hold reduced bins of channel 0
    std::int32_t right[SpectrumLength] = {};  // the same for channel 1
    std::int32_t meanLevel = 0;               // mean of the non-zero left bins, at most 255
    std::int32_t nonZeroCount = 0;
    std::int32_t levelRing[LevelRingSize] = {};
    std::int32_t ringIndex = 0;
    std::int32_t activity = 0;  // ring sum / 68: positive while there was recent sound
    std::int32_t frozenCount = 0;
    std::int32_t frozenCopy[10] = {};  // reduced left bins 50..59 of the previous frame
};

// Each reduced bin i is the loudest of bytes 4i..4i+3 of its channel, written over the channel in
// place: the write to i never precedes the reads it needs because 4i ≥ i.
void reduceFrequencyChannel(std::uint8_t* channel);

// Frames per second over the last full second, smoothed, and the flag that gives up on the bars
// once the smoothed rate has sunk to 10.
struct FrameRateMeter {
    std::uint32_t frameCounter = 0;
    std::uint32_t measuredRate = 0;
    float smoothedRate = 20.0f;
    std::uint32_t rateTimeMs = 0;
    std::int32_t lowRate = 0;

    void tick(std::uint32_t nowMs);
    // A scene rebuild, and the first track, start the measurement afresh.
    void restart() {
        lowRate = 0;
        smoothedRate = 20.0f;
    }
};

// One frame's reduction, freeze detection, copy into the bars' spectrum and activity ring.
// frequency holds both channels, 2 × 1024 bytes, and is changed in place.
void updateAudioFrame(AudioFrame& frame, std::uint8_t* frequency, bool lowRate);

}  // namespace tevaro::album
