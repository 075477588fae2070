#pragma once
// The preset and quality names the tools use, and the settings words they stand for.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings_link/settings_word.h"

namespace tevaro::dsp {

struct NamedFlag {
    std::string_view name;
    std::uint32_t flag;
};

inline constexpr std::array<NamedFlag, 5> presetNames = {{{"rock-pop", FlagRockPop},
                                                          {"classic", FlagClassic},
                                                          {"jazz", FlagJazz},
                                                          {"movie", FlagMovie},
                                                          {"neutral", FlagNeutral}}};
inline constexpr std::array<NamedFlag, 3> qualityNames = {
    {{"min", FlagQualityMin}, {"mid", FlagQualityMid}, {"max", FlagQualityMax}}};

template <std::size_t N>
constexpr std::optional<std::uint32_t> flagNamed(const std::array<NamedFlag, N>& names, std::string_view name) {
    for (const NamedFlag& n : names) {
        if (n.name == name) return n.flag;
    }
    return std::nullopt;
}

}  // namespace tevaro::dsp
