#pragma once
// The processor rating behind quality Auto mode: a fixed classification of processor 0 by maker
// and clock. Every input that cannot be read gives Min, the cheapest level.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "panel/model/control_ids.h"

namespace tevaro::panel {

// HKEY_LOCAL_MACHINE: `~MHz` is a REG_DWORD, `VendorIdentifier` a string read into 50 bytes.
inline constexpr const char* ProcessorKeyPath = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
inline constexpr const char* ClockValueName = "~MHz";
inline constexpr const char* MakerValueName = "VendorIdentifier";
inline constexpr std::size_t MakerBufferBytes = 50;

// wProcessorArchitecture codes that the rating accepts: the 32-bit panel runs on 0, the 64-bit
// panel always sees 9, and the same x86 processors stand behind both.
inline constexpr std::uint16_t ArchitectureIntel = 0;
inline constexpr std::uint16_t ArchitectureAmd64 = 9;

struct ProcessorFacts {
    std::uint16_t architecture = 0;         // GetSystemInfo: wProcessorArchitecture
    std::uint16_t level = 0;                // GetSystemInfo: wProcessorLevel
    std::optional<std::uint32_t> clockMhz;  // nothing when the key or the value is missing
    std::optional<std::string> maker;       // nothing when the key or the value is missing
};

// LevelMin, LevelMax or LevelMid. A maker text that would not fit the 50-byte buffer with its
// terminator counts as unreadable.
int rateProcessor(const ProcessorFacts& facts);

}  // namespace tevaro::panel
