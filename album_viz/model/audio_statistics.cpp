#include "album_viz/model/audio_statistics.h"

#include <algorithm>

namespace tevaro::album {

void reduceFrequencyChannel(std::uint8_t* channel) {
    for (int i = 0; i < ReducedBins; ++i) {
        const std::uint8_t* four = channel + 4 * i;
        channel[i] = std::max(std::max(four[0], four[1]), std::max(four[2], four[3]));
    }
}

void FrameRateMeter::tick(std::uint32_t nowMs) {
    const std::uint32_t elapsed = nowMs - rateTimeMs;
    if (elapsed > 1000) {
        measuredRate = frameCounter * 1000 / elapsed;
        rateTimeMs = nowMs;
        frameCounter = 0;
        if (measuredRate > 2) smoothedRate = (smoothedRate * 10.0f + float(measuredRate)) / 11.0f;
    }
    ++frameCounter;
    if (!(smoothedRate > 10.0f)) lowRate = 1;
}

void updateAudioFrame(AudioFrame& frame, std::uint8_t* frequency, bool lowRate) {
    std::uint8_t* left = frequency;
    std::uint8_t* right = frequency + FrequencyBytes;
    reduceFrequencyChannel(left);
    reduceFrequencyChannel(right);

    // A paused player keeps handing the same spectrum; seven unchanged frames in the middle bins
    // read as silence.
    ++frame.frozenCount;
    for (int k = 0; k < 10; ++k) {
        if (frame.frozenCopy[k] != left[50 + k]) {
            frame.frozenCopy[k] = left[50 + k];
            frame.frozenCount = 0;
        }
    }
    if (frame.frozenCount > 6) {
        frame.frozenCount = 7;
        std::fill(left + 1, left + ReducedBins, std::uint8_t(0));
        std::fill(right + 1, right + ReducedBins, std::uint8_t(0));
    }

    std::int32_t sum = 0, count = 0;
    for (int i = 1; i <= 254; ++i) {
        frame.left[i] = lowRate ? 0 : left[i];
        frame.right[i] = lowRate ? 0 : right[i];
        if (frame.left[i] != 0) {
            sum += frame.left[i];
            ++count;
        }
    }
    frame.nonZeroCount = count;
    frame.meanLevel = count ? std::min(sum / count, 255) : 0;
    frame.ringIndex = frame.ringIndex >= LevelRingSize - 1 ? 0 : frame.ringIndex + 1;
    frame.levelRing[frame.ringIndex] = frame.meanLevel;
    std::int32_t ringSum = 0;
    for (std::int32_t v : frame.levelRing) ringSum += v;
    frame.activity = ringSum / 68;
}

}  // namespace tevaro::album
