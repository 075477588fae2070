#include "dsp/lv2/live_controls.h"

#include <cmath>

#include "dsp/engine/offline/presets.h"

namespace tevaro::dsp {
namespace {

int roundedIndex(float value, int count, int fallback) {
    if (!std::isfinite(value)) return fallback;
    const float r = std::nearbyint(value);
    if (r <= 0.0f) return 0;
    if (r >= static_cast<float>(count - 1)) return count - 1;
    return static_cast<int>(r);
}

// A toggle is on from one half up, as LV2 hosts round toggled ports.
bool toggled(float value, bool fallback) { return std::isfinite(value) ? value >= 0.5f : fallback; }

}  // namespace

LiveControls controlsFromPorts(float surroundOn, float preset, float quality, float mute) {
    const LiveControls d = DefaultLiveControls;
    return {toggled(surroundOn, d.surroundOn), roundedIndex(preset, int(presetNames.size()), d.preset),
            roundedIndex(quality, int(qualityNames.size()), d.quality), toggled(mute, d.mute)};
}

std::uint32_t settingsWordOf(const LiveControls& controls) {
    return presetNames[static_cast<std::size_t>(controls.preset)].flag |
           qualityNames[static_cast<std::size_t>(controls.quality)].flag;
}

}  // namespace tevaro::dsp
