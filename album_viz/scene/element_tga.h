#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tevaro::album {

// Bytes after the pixels of an element file; the loader is handed 4 × T² + 44 bytes.
constexpr std::size_t ElementTgaPadding = 26;

// Builds the in-memory TGA file of an element texture of side T from the 18-byte template
// header (bottom-left origin, 32 bits): the picture is centred in a transparent square so that
// it stands upright on screen. Element images are stored bottom row first and go to file rows
// m + 1 + r; the background is stored top row first, so its row r goes to file row m + h − r and
// its column offset is even as well. Empty when the picture does not fit or the header is short.
std::vector<std::uint8_t> buildElementTga(const std::uint8_t* header, std::size_t headerLength, int textureSize,
                                          const std::uint32_t* image, int width, int height, bool background);

}  // namespace tevaro::album
