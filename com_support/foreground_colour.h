#pragma once
#include <cstdint>
#include <string>

namespace tevaro::viz {

// The foreground colour as COLORREF 0x00BBGGRR and its text "#RRGGBB". Stored and handed back
// only: no effect draws with it.
enum class ColourParse { ok, empty, badLength, badDigit };

// Seven characters whose last six are hexadecimal digits; the first character is not looked at.
ColourParse parseForegroundColour(const char16_t* text, std::size_t length, std::uint32_t& colourRef);
// "#" then RRGGBB in upper-case hexadecimal.
std::u16string formatForegroundColour(std::uint32_t colourRef);

}  // namespace tevaro::viz
