#include "com_support/foreground_colour.h"

namespace tevaro::viz {

namespace {

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

}  // namespace

ColourParse parseForegroundColour(const char16_t* text, std::size_t length, std::uint32_t& colourRef) {
    if (length == 0) return ColourParse::empty;
    if (length != 7) return ColourParse::badLength;
    std::uint32_t rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0) return ColourParse::badDigit;
        rgb = rgb << 4 | static_cast<std::uint32_t>(d);
    }
    // RRGGBB as read; COLORREF keeps red in the low byte.
    colourRef = (rgb >> 16 & 0xFFu) | (rgb & 0xFF00u) | (rgb & 0xFFu) << 16;
    return ColourParse::ok;
}

std::u16string formatForegroundColour(std::uint32_t colourRef) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    const std::uint32_t rgb = (colourRef & 0xFFu) << 16 | (colourRef & 0xFF00u) | (colourRef >> 16 & 0xFFu);
    std::u16string text(7, u'#');
    for (int i = 0; i < 6; ++i) text[static_cast<std::size_t>(6 - i)] = digits[rgb >> (4 * i) & 0xFu];
    return text;
}

}  // namespace tevaro::viz
