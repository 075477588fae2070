#pragma once
#include <vector>

namespace tevaro::levels {

// Interleaved stereo at `rate`, values in -1..1.
struct StereoAudio {
    int rate = 44100;
    std::vector<float> samples;
    int frames() const { return static_cast<int>(samples.size() / 2); }
};

}  // namespace tevaro::levels
