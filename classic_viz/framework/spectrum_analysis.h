#pragma once
#include <array>
#include <cstdint>

#include "classic_viz/framework/random_source.h"

namespace tevaro::viz {

// How the scene wants its spectrum shaped; set by each effect's layout and scene script.
struct AnalysisSettings {
    int frameSkip = 0;         // audio is taken on one frame in (frameSkip + 1)
    int orderMode = 0;         // 2 reversed; mirror modes see mirrors(); other values straight
    int scatterMode = 0;       // 0 straight, 1 each entry from a random bin, 2 random runs of bins
    int resampleFactor = 255;  // 1/256 units; 255 means off
    int gain = 0;              // added to every non-zero entry
    int smoothing = 0;         // moving-average window length minus one
    int blendPercent = 0;      // weight of the previous frame's spectrum, 0..100
};

constexpr int SpectrumBins = 1024;    // bytes per channel of the player's spectrum
constexpr int SpectrumEntries = 520;  // room for 512 entries plus the reads just past them

using SpectrumBuffer = std::array<std::int32_t, SpectrumEntries>;

// The spectrum side of a frame: reduction of the player's 1024 bins, the loudness meter and its
// history, and the analysis chain that leaves the result in buffer 0 for the scene.
class SpectrumAnalysis {
public:
    explicit SpectrumAnalysis(bool mirrorsOrderNine = false) : mirrorsOrderNine_(mirrorsOrderNine) {}

    // Bin i (0..255) becomes the loudest of bins 4i..4i+3; bins 256..1023 keep their values.
    static void reduceSpectrum(std::uint8_t* bins);

    // Reduce, take the audio when the frame-skip counter allows it, and advance the counter.
    void frame(std::uint8_t* bins, RandomSource& random);

    // The audio update on already reduced bins, ending with the analysis chain.
    void audioUpdate(const std::uint8_t* bins, RandomSource& random);
    void runChain();

    // Chain steps, public so each can be checked on its own.
    void mirror();
    void resample();
    void copyBack();
    void applyGain();
    void smooth();
    void blend();

    // The default layout's part: settings to their defaults, history and previous spectrum cleared.
    void resetForLayout();
    // Everything back to the state of a freshly created effect.
    void resetAll();

    bool mirrors(int orderMode) const {
        return orderMode == 1 || (orderMode >= 3 && orderMode <= 8) || (mirrorsOrderNine_ && orderMode == 9);
    }

    AnalysisSettings settings;
    std::array<SpectrumBuffer, 3> buffers{};  // buffer 0 is what the scene reads
    SpectrumBuffer previous{};                // input of the temporal blend
    int source = 0;                           // buffer holding the latest result
    int binCount = 255;                       // valid entries of the latest result
    int level = 0;                            // 0..255
    std::array<int, 10> levelHistory{};
    int historyIndex = 0;  // 0..9
    int averageLevel = 0;
    int frameSkipCounter = 0;

private:
    void takeBins(const std::uint8_t* bins, RandomSource& random);
    void scatterRuns(const std::uint8_t* bins, RandomSource& random);
    void updateLevel(int levelSum);

    bool mirrorsOrderNine_;
};

}  // namespace tevaro::viz
