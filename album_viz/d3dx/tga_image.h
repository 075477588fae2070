#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tevaro::album::d3dx {

// One level of a texture in A8R8G8B8, rows top first, no padding.
struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Offsets of the header fields of a Truevision TGA file that the scene writes or we check.
namespace tga {
constexpr std::size_t HeaderSize = 18;
constexpr std::size_t IdLength = 0;
constexpr std::size_t ColorMapType = 1;
constexpr std::size_t ImageType = 2;
constexpr std::size_t ColorMapLength = 5;
constexpr std::size_t ColorMapEntryBits = 7;
constexpr std::size_t Width = 12;
constexpr std::size_t Height = 14;
constexpr std::size_t PixelDepth = 16;
constexpr std::size_t Descriptor = 17;
constexpr std::uint8_t TypeTrueColor = 2;
constexpr std::uint8_t DescriptorTopOrigin = 0x20;
constexpr std::uint8_t DescriptorRightOrigin = 0x10;
// Largest side accepted; larger claims are refused before anything is allocated.
constexpr int MaxSide = 8192;
}  // namespace tga

// Decodes an uncompressed 32-bit true-colour TGA (the only kind the scene builds). The bytes are
// treated as untrusted: a short file, another image type or depth, a colour map, or a size of 0 or
// above tga::MaxSide gives false. Bytes after the pixels (padding, a footer) are ignored.
bool decodeTga(const std::uint8_t* bytes, std::size_t length, ArgbImage& out);

// The full mip chain of a picture: level 0 is the picture, each next level halves both sides
// (never below 1) with a 2 × 2 box filter, down to 1 × 1.
std::vector<ArgbImage> buildMipChain(ArgbImage level0);

}  // namespace tevaro::album::d3dx
