#pragma once
// What a live host's control ports choose, and the settings the chain reads from them. The ports
// hand floats; each is rounded and clamped here, so a host's odd value never reaches the chain as
// a word the panel could not have published.
#include <cstdint>

namespace tevaro::dsp {

struct LiveControls {
    bool surroundOn = true;
    int preset = 4;   // 0 Rock/Pop, 1 Classic, 2 jazz, 3 Movie, 4 Neutral
    int quality = 2;  // 0 Min, 1 Mid, 2 Max

    bool mute = false;

    friend bool operator==(const LiveControls&, const LiveControls&) = default;
};

// The panel's default word is Neutral with automatic quality; a present-day processor is rated
// for Max, so that is what the live plug-in starts with.
inline constexpr LiveControls DefaultLiveControls{};

LiveControls controlsFromPorts(float surroundOn, float preset, float quality, float mute);

// The preset and quality bits of the word (without the switch bit).
std::uint32_t settingsWordOf(const LiveControls& controls);

}  // namespace tevaro::dsp
