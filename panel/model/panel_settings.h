#pragma once
// The panel's side of its stored settings: the word read back from the registry, the word
// composed from the controls, and the test of the player's enable value for the DSP.
#include <array>
#include <cstddef>
#include <cstdint>

#include "panel/model/control_ids.h"

namespace tevaro::panel {

// HKEY_CURRENT_USER; the value holds the whole settings word as REG_DWORD.
inline constexpr const char* SettingsKeyPath = "Software\\Vardal Acoustics\\Controller";
inline constexpr const char* SettingsValueName = "Settings";
// HKEY_CURRENT_USER; the player writes "true" or "false" here, the panel only reads it.
inline constexpr const char* DspConfigKeyPath =
    "Software\\Microsoft\\MediaPlayer\\MediaPlugins\\DSPConfig\\{79021042-5CA7-422B-8AB4-C0D7E3F7B638}";
inline constexpr const char* EnabledValueName = "Enabled";

// Both values are queried into a buffer of this size.
inline constexpr std::size_t ValueBufferBytes = 13;

// What one ANSI registry query (RegQueryValueExA) into the 13-byte buffer gave.
struct ValueQuery {
    bool keyOpened = false;
    bool valueRead = false;      // false when the value is missing or its data does not fit the buffer
    std::uint32_t dataSize = 0;  // the data size the query reported
    std::array<std::uint8_t, ValueBufferBytes> data{};
};

// The stored word when it names exactly one preset and one quality, the default 4464 otherwise.
// The value's type is not looked at: its first four bytes, little-endian, are the word, so data
// shorter than four bytes is no word and gives the default.
std::uint32_t readSettingsWord(const ValueQuery& query);

// Enabled exactly when the data is 5 bytes: a four-letter word and its terminator, as an ANSI
// query returns it whatever way the player stored the string ("true" is 5, "false" 6).
bool dspEnabledFrom(const ValueQuery& query);

// What the word carries of the controls. The switch's selected flag is surround on and Auto's
// is auto mode, so the two are not kept twice.
struct PanelChoices {
    std::array<bool, PresetCount> presetSelected{};
    std::array<bool, LevelCount> levelSelected{};
    bool surroundOn = false;
    bool autoMode = false;
    bool showWarning = false;
};

// Only preset, surround, auto, level and warning bits; a read word's other bits are dropped here.
std::uint32_t composeSettingsWord(const PanelChoices& choices);

// The block's settings slot holds the low 16 bits of the word.
constexpr std::int32_t settingsSlotValue(std::uint32_t word) { return static_cast<std::int32_t>(word & 0xFFFFu); }

}  // namespace tevaro::panel
