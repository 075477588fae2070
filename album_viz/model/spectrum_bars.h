#pragma once
#include <cstdint>

#include "album_viz/model/audio_statistics.h"

namespace tevaro::album {

constexpr int BarSlots = 40;  // slots 1..40; 19 and 20 stay empty, 39 and 40 are never touched
constexpr int ShownBarLast = 38;
constexpr float PeakRest = 83.0f;  // the marker's resting y on the normal canvas; smaller is higher

struct BarCanvasSize {
    int width, height, scale;  // 600 × 122 (q 1), or 1200 × 244 (q 2) for large bars
};
BarCanvasSize barCanvasSize(bool large);

// Rows of the background the bars cover: the canvas's aspect over the window width, at most
// half the window height.
int barBandHeight(int renderWidth, int renderHeight);

// The bar pictures, by the role they play; the Windows side maps them to resource names.
enum class BarImage : std::uint8_t {
    Block1A,
    Block2A,
    Block3A,
    Block4A,
    Block5A,
    Block6A,
    Block1B,
    Peak,
    R1,
    R2,
    R3,
    RPeak,
    Count
};

struct BarCell {
    BarImage image;
    std::int16_t x, y;
    bool reflection;  // drawn into a block-sized cell from the top of the 10 × 8 picture
};

// Everything one redraw of the canvas puts on the backdrop, in drawing order.
struct BarDrawList {
    static constexpr int MaxCells = ShownBarLast * 11;
    BarCell cells[MaxCells];
    int count = 0;

    void add(BarImage image, int x, int y, bool reflection = false) {
        if (count < MaxCells) cells[count++] = BarCell{image, std::int16_t(x), std::int16_t(y), reflection};
    }
};

struct BarInputs {
    int renderWidth = 0, renderHeight = 0;
    float smoothedRate = 20.0f;
    bool barsHidden = false;
    std::uint32_t nowMs = 0;
};

class SpectrumBars {
public:
    SpectrumBars() { reset(); }

    // All bars at rest: empty, peak markers on the bottom row.
    void reset();
    // One scene update. Answers whether the canvas is to be redrawn (every second frame while
    // there is sound or the peaks are still falling) and, through large(), at which size.
    bool update(const AudioFrame& audio, const BarInputs& in);
    // One redraw: moves levels and peaks by the new spectrum and lists what the canvas shows.
    void advance(const AudioFrame& audio, bool large, BarDrawList& out);

    bool large() const { return large_ != 0; }
    bool settling() const { return settling_ != 0; }
    std::int32_t level(int bar) const { return level_[bar]; }
    std::int32_t raw(int bar) const { return raw_[bar]; }
    float peak(int bar) const { return peak_[bar]; }
    std::uint32_t lastActivityMs() const { return lastActivityMs_; }
    void setPeak(int bar, float y) { peak_[bar] = y; }
    void setLevel(int bar, std::int32_t level) { level_[bar] = level; }

private:
    std::int32_t level_[BarSlots + 1];
    std::int32_t raw_[BarSlots + 1];
    float peak_[BarSlots + 1];
    std::int32_t large_ = 0, settling_ = 0;
    std::uint32_t frameCounter_ = 0;
    std::uint32_t lastActivityMs_ = 0;
};

}  // namespace tevaro::album
