#pragma once

namespace tevaro::dsp {

// A steered gain: the target is set every 64 frames together with the step that walks the
// current value toward it; the signal path reads only `current`.
struct GainRamp {
    float target;
    float step;
    float current;

    void advance() {
        if (target != current) current = static_cast<float>(static_cast<double>(current) + step);
    }
};

}  // namespace tevaro::dsp
