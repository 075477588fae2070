#pragma once
// The settings word: one preset bit and one quality bit chosen in the panel, kept in the
// registry between sessions and handed to the DSP through slot 3 of the settings block.
#include <cstdint>
#include <optional>

namespace tevaro {

inline constexpr std::uint32_t FlagRockPop = 0x1;
inline constexpr std::uint32_t FlagClassic = 0x2;
inline constexpr std::uint32_t FlagJazz = 0x4;
inline constexpr std::uint32_t FlagMovie = 0x8;
inline constexpr std::uint32_t FlagNeutral = 0x10;
inline constexpr std::uint32_t FlagSurroundOn = 0x20;
inline constexpr std::uint32_t FlagAutoQuality = 0x100;
inline constexpr std::uint32_t FlagQualityMin = 0x200;
inline constexpr std::uint32_t FlagQualityMax = 0x400;
inline constexpr std::uint32_t FlagQualityMid = 0x800;
inline constexpr std::uint32_t FlagQualityWarning = 0x1000;

inline constexpr std::uint32_t PresetMask = 0x1F;
inline constexpr std::uint32_t QualityMask = 0xE00;
// The DSP tests stage selection through these two masks.
inline constexpr std::uint32_t FilteringOrNeutralMask = FlagRockPop | FlagJazz | FlagMovie | FlagNeutral;  // 0x1D
inline constexpr std::uint32_t MidOrMaxMask = FlagQualityMax | FlagQualityMid;                             // 0xC00

// Neutral, surround on, auto quality, quality warning, plus bit 0x40 that carries no meaning.
// It is the one word with no quality bit; the DSP treats it as Neutral at Min.
inline constexpr std::uint32_t DefaultSettingsWord = 4464;

// A stored word is accepted only with exactly one preset bit and exactly one quality bit.
constexpr bool isAcceptedStoredWord(std::uint32_t word) {
    const std::uint32_t preset = word & PresetMask;
    const std::uint32_t quality = word & QualityMask;
    const bool onePreset = preset == FlagRockPop || preset == FlagClassic || preset == FlagJazz ||
                           preset == FlagMovie || preset == FlagNeutral;
    const bool oneQuality = quality == FlagQualityMin || quality == FlagQualityMax || quality == FlagQualityMid;
    return onePreset && oneQuality;
}

// The word the panel starts with, given what the registry value held (nothing when the value is
// missing or unreadable).
constexpr std::uint32_t settingsWordFromStore(std::optional<std::uint32_t> stored) {
    return stored && isAcceptedStoredWord(*stored) ? *stored : DefaultSettingsWord;
}

}  // namespace tevaro
