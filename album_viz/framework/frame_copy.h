#pragma once
#include <cstddef>
#include <cstdint>

namespace tevaro::album {

// Layout of a locked surface's pixels as the copies read or write them.
enum class SurfaceFormat { Argb32, Rgb565, Xrgb1555, Rgb24 };

// Bytes of one row of a device-independent bitmap of the given depth (rows are 4-byte aligned;
// 16-bit rows span the width rounded up to even).
std::size_t dibRowBytes(int width, int bitsPerPixel);

// Back buffer → DIB rows (top-down) of the output DC's depth: 32 (X8R8G8B8), 24 (B, G, R) or 16
// (X1R5G5B5, the only 16-bit DIB layout without masks). Each format is converted, not reinterpreted,
// so a 32-bit back buffer shows right in a 16-bit DC and the reverse. A 16-bit row's extra pixel
// (odd width) repeats the last one. Returns false for an unknown depth.
bool backBufferToDib(const std::uint8_t* surface, std::size_t pitch, SurfaceFormat format, int width, int height,
                     int bitsPerPixel, std::uint8_t* dib);

// The scene's A8R8G8B8 picture (top row first) → a locked back buffer of the given format.
void argbToSurface(const std::uint32_t* image, int width, int height, std::uint8_t* surface, std::size_t pitch,
                   SurfaceFormat format);

}  // namespace tevaro::album
