#pragma once
// The last stage of the DSP: the dry left and right input as two front virtual loudspeakers,
// plus what the reverberator and the surround engine left in the output buffer (not at Min).
#include <cstddef>
#include <cstdint>

#include "dsp/engine/coefficient_sets.h"
#include "dsp/engine/dual_fir.h"
#include "dsp/engine/fir_pair.h"

namespace tevaro::dsp {

// What the settings word selects for this stage.
struct VirtualiserChoice {
    enum class Mode : std::uint8_t { filter, neutral, passThrough };
    Mode mode = Mode::passThrough;
    const CoefficientSet* set = nullptr;  // front set (filter mode)
    int taps = 0;                         // tap count n
    double gain = 1.0;                    // input gain g
    bool addsEarlierStages = false;       // false at Min: the earlier stages' output is discarded
};

VirtualiserChoice chooseVirtualiser(std::uint32_t settingsWord);

class VirtualiserStage {
public:
    void reset();

    // in/out: interleaved 16-bit stereo; `samples` counts int16 values. Processes samples / 2
    // whole frames and never touches anything past `samples` (an odd last value stays as is).
    void process(std::uint32_t settingsWord, const std::int16_t* in, std::int16_t* out, std::size_t samples);

    // The same with an explicit kernel, so the vectorised path can be compared with the
    // scalar reference. `kernel` must not be null.
    void processWith(FirPairKernel kernel, std::uint32_t settingsWord, const std::int16_t* in, std::int16_t* out,
                     std::size_t samples);

    const DualFir& leftLine() const { return left_; }
    const DualFir& rightLine() const { return right_; }

private:
    DualFir left_;             // left input, feeds filters 1 and 2
    DualFir right_;            // right input, feeds filters 3 and 4
    double leftToLeft_ = 0.0;  // the four results of the last frame
    double leftToRight_ = 0.0;
    double rightToLeft_ = 0.0;
    double rightToRight_ = 0.0;
};

}  // namespace tevaro::dsp
