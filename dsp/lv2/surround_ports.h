#pragma once
// Port indices of the LV2 plug-in; the Turtle description numbers its ports the same way.
#include <cstdint>

namespace tevaro::dsp::lv2 {

enum Port : std::uint32_t {
    InLeft = 0,
    InRight = 1,
    OutLeft = 2,
    OutRight = 3,
    SurroundOn = 4,
    Preset = 5,
    Quality = 6,
    Mute = 7,
    Latency = 8,
    PortCount = 9,
};

inline constexpr const char* PluginUri = "https://www.vardal-acoustics.example/tevaro-player/lv2/surround";

}  // namespace tevaro::dsp::lv2
